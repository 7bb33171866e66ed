#pragma once
// "wastar": weighted A* with f = g + w·h, w the solve's limit (5 when 0).

#include <cstdint>

#include "solvers/Plan.h"
#include "solvers/SearchSpace.h"
#include "solvers/SearchStatistics.h"
#include "solvers/Solver.h"

namespace vexmolda {

// The largest weight; a greater limit is taken as this one, which keeps the
// keys of the bucket queue small.
inline constexpr std::int32_t largestWeight = 100;

// Eager best-first search from the initial state: each new successor is
// evaluated when generated (dead ends dropped); a state reached again by a
// cheaper path is queued again. Ends at the first goal state taken from the
// queue, so with weight 1 and an admissible heuristic the plan is optimal.
// True and last the goal when found; otherwise last is the last state taken.
// The control's counters are expanded, best value and states, or with
// aStarProgress expanded and states as "a*" shows them.
bool weightedAStarSearch(SearchSpace& space, std::int32_t weight, WorkControl& control, SearchCounters& counters,
                         std::uint32_t& last, bool aStarProgress = false);

// The solver "wastar"; its heuristic by default is "ff".
class WeightedAStar : public CountingSolver<WeightedAStarStatistics> {
public:
    bool solve(const SolveTask& task, SolveResult& result, SolveContext& context) override;
    std::unique_ptr<Plan> takePlan() override { return std::make_unique<Plan>(std::move(plan)); }

    Plan plan;
};

}  // namespace vexmolda

#pragma once
// "greedy": lazy greedy best-first search with a second open list for the
// heuristic's preferred instances.

#include <cstdint>

#include "solvers/Plan.h"
#include "solvers/SearchSpace.h"
#include "solvers/SearchStatistics.h"
#include "solvers/Solver.h"

namespace vexmolda {

// Extra picks from the preferred list each time a new best value is met.
inline constexpr std::int64_t preferredBoost = 1000;

// Searches from the stored state start, whose marks are clear. A state is
// evaluated when it is taken from a list, its successors queued with its
// value; dead ends are dropped. Ends at the first goal state taken (true, its
// number in last) or when the lists run dry or the control asks it to stop
// (false, last the last state taken).
bool greedySearch(SearchSpace& space, std::uint32_t start, WorkControl& control, SearchCounters& counters,
                  std::uint32_t& last);

// The solver "greedy"; its heuristic by default is "ff".
class GreedySearch : public CountingSolver<GreedyStatistics> {
public:
    bool solve(const SolveTask& task, SolveResult& result, SolveContext& context) override;
    std::unique_ptr<Plan> takePlan() override { return std::make_unique<Plan>(std::move(plan)); }

    Plan plan;
};

// Writes "Heuristic NAME" into the log and times building the search space.
std::unique_ptr<SearchSpace> prepareSearch(const SolveTask& task, const std::string& heuristic, SolveResult& result,
                                           SearchCounters& counters);

}  // namespace vexmolda

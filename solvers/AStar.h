#pragma once
// Best-first forward search with f = steps taken + goal facts still open.

#include <cstdint>

#include "solvers/Plan.h"
#include "solvers/SearchStatistics.h"
#include "solvers/Solver.h"

namespace vexmolda {

// The counters of an "a*" run; the control's first and second are expanded
// and stored states.
struct AStarStatistics : SolverStatistics {
    std::uint64_t expanded = 0;   // nodes taken from the queue
    std::uint64_t generated = 0;  // successors pushed
    std::uint64_t statesStored = 0;
    std::uint64_t bytesUsed = 0;    // the search's own structures
    double preparationSeconds = 0;  // processor time before the first expansion
    // Set when the run used a chosen heuristic; its fields then follow.
    SearchCounters withHeuristic;

    const CounterLabels& progressLabels() const override;
    std::vector<StatisticsField> fields() const override;
    MadeSoFar madeSoFar() const override { return {statesStored, "states"}; }
    void adoptStoppedCounters(const WorkControl& control) override;
};

// The solver "a*": the first generated successor that meets the goal ends the
// search; states in the queue or closed are not generated again. With a
// heuristic chosen for the session it is weighted A* with weight 1 over it,
// which ends at the first goal state taken from the queue.
class aStar : public CountingSolver<AStarStatistics> {
public:
    bool solve(const SolveTask& task, SolveResult& result, SolveContext& context) override;
    std::unique_ptr<Plan> takePlan() override { return std::make_unique<Plan>(std::move(plan)); }

    Plan plan;

private:
    bool solveWithHeuristic(const SolveTask& task, SolveResult& result, SolveContext& context);
};

}  // namespace vexmolda

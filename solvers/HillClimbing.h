#pragma once
// "ehc": enforced hill-climbing with helpful actions, and greedy best-first
// search when it fails.

#include "solvers/Plan.h"
#include "solvers/SearchStatistics.h"
#include "solvers/Solver.h"

namespace vexmolda {

// From the current state a breadth-first search looks for a state of lower
// value; each state's successors by preferred (helpful) instances are queued
// before the others. The better state found becomes the current one. When a
// search runs dry (a dead end of the climb), greedy best-first search starts
// again from the initial state over the same stored states. Its heuristic by
// default is "ff".
class HillClimbing : public CountingSolver<HillClimbingStatistics> {
public:
    bool solve(const SolveTask& task, SolveResult& result, SolveContext& context) override;
    std::unique_ptr<Plan> takePlan() override { return std::make_unique<Plan>(std::move(plan)); }

    Plan plan;
};

}  // namespace vexmolda

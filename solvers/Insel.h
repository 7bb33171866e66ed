#pragma once
// The island solver "insel": achieves one missing goal fact after another,
// first the preconditions of the instance it picks, never reconsidering a pick.

#include <cstdint>

#include "solvers/IslandCommon.h"
#include "solvers/Plan.h"

namespace vexmolda {

// The solver "insel"; ignores the limit.
class insel : public IslandSolver {
public:
    bool solve(const SolveTask& task, SolveResult& result, SolveContext& context) override;

    // Works the goals into the state, appending to the plan; false ends the run.
    bool achieve(State& state, FactSpan goals, int depth);
    // The first instance in list order that adds a goal fact missing from the state, or null.
    static OperationInstance* pickInstance(const InstanceList& instances, const State& state, FactSpan goals);

    // Levels deeper than this fail: depths 0 to 100, 101 nested levels.
    static constexpr int deepestLevel = 100;
};

}  // namespace vexmolda

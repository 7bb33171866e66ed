#pragma once
// The island solver "inselrand": like "insel", but picks one candidate for a
// missing goal fact at random and fails on the first failed choice.

#include <cstdint>

#include "solvers/IslandCommon.h"
#include "solvers/Plan.h"

namespace vexmolda {

// The solver "inselrand"; ignores the limit.
class inselRand : public IslandSolver {
public:
    bool solve(const SolveTask& task, SolveResult& result, SolveContext& context) override;

    // Works the goals into the state with one draw per choice; false ends the run.
    bool achieveRand(State& state, FactSpan goals, int depth);

    // Levels deeper than this fail.
    static constexpr int deepestLevel = 300;

};

}  // namespace vexmolda

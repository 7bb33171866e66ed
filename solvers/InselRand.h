#pragma once
// The island solver "inselrand": like "insel", but picks one candidate for a
// missing goal fact at random and fails on the first failed choice.

#include <cstdint>

#include "solvers/Plan.h"
#include "solvers/Solver.h"

namespace vexmolda {

// The solver "inselrand"; ignores the limit.
class inselRand : public Solver {
public:
    inselRand();
    bool solve(const State& initial, const State& goal, std::int32_t limit) override;
    void forgetInstances() override;

    // Works the goals into the state with one draw per choice; false ends the run.
    bool achieveRand(State& state, const State& goals, int depth);

    // Levels deeper than this fail.
    static constexpr int deepestLevel = 300;

    Plan plan;
};

// The one process-wide "inselrand" solver.
inselRand& inselRandSolver();

}  // namespace vexmolda

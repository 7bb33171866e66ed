#pragma once
// The island solver "inselpl": tries the candidates for a missing goal fact in
// turn, undoes a failed attempt, and stops at a budget on passes and depth.

#include <cstddef>
#include <cstdint>

#include "solvers/IslandCommon.h"
#include "solvers/Plan.h"

namespace vexmolda {

// The solver "inselpl"; the limit is the budget.
class inselPL : public IslandSolver {
public:
    bool solve(const SolveTask& task, SolveResult& result, SolveContext& context) override;

    // Works the goals into the state with budgetUsed already spent; a failed
    // candidate's steps and state changes are undone before the next is tried.
    bool achievePL(State& state, FactSpan goals, std::int32_t limit, std::int64_t budgetUsed);

    // Levels deeper than this whose goals do not hold yet fail. The budget
    // alone would let a limit near 2^31 nest a billion levels, whose log and
    // frames no memory holds; no domain written by hand needs a thousandth of it.
    static constexpr std::size_t deepestLevel = 100000;

};

}  // namespace vexmolda

#include "solvers/MaxHeuristic.h"

namespace vexmolda {

MaxHeuristic::MaxHeuristic(const RelaxedTask& task) : Heuristic(task), exploration(task, RelaxedCombine::maximum) {}

std::int32_t MaxHeuristic::evaluate(const std::uint64_t* state, const std::uint64_t*) {
    return exploration.explore(state);
}

}  // namespace vexmolda

#include "solvers/AdditiveHeuristic.h"

namespace vexmolda {

AdditiveHeuristic::AdditiveHeuristic(const RelaxedTask& task) : Heuristic(task), exploration(task, RelaxedCombine::sum) {}

std::int32_t AdditiveHeuristic::evaluate(const std::uint64_t* state, const std::uint64_t*) {
    return exploration.explore(state);
}

}  // namespace vexmolda

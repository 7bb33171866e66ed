#include "solvers/RelaxedPlanHeuristic.h"

#include <algorithm>

namespace vexmolda {

RelaxedPlanHeuristic::RelaxedPlanHeuristic(const RelaxedTask& task)
    : Heuristic(task),
      exploration(task, RelaxedCombine::sum),
      factMark(task.factCount(), 0),
      actionMark(task.actionCount(), 0) {}

std::int32_t RelaxedPlanHeuristic::evaluate(const std::uint64_t* state, const std::uint64_t*) {
    plan.clear();
    helpful.clear();
    if (exploration.explore(state) == infiniteValue) return infiniteValue;
    if (++stamp == 0) {
        // The stamp wrapped: old marks could pass for new ones.
        std::fill(factMark.begin(), factMark.end(), 0);
        std::fill(actionMark.begin(), actionMark.end(), 0);
        stamp = 1;
    }
    auto need = [&](std::uint32_t bit) {
        if (factMark[bit] == stamp || testBit(state, bit)) return;
        factMark[bit] = stamp;
        open.push_back(bit);
    };
    for (std::uint32_t bit : relaxed.goal()) need(bit);
    std::int32_t value = 0;
    while (!open.empty()) {
        const std::uint32_t bit = open.back();
        open.pop_back();
        const std::int32_t supporter = exploration.supporter(bit);
        assert(supporter >= 0);  // every fact needed was reached
        const auto action = static_cast<std::uint32_t>(supporter);
        if (actionMark[action] == stamp) continue;
        actionMark[action] = stamp;
        plan.push_back(action);
        const std::int64_t total = std::int64_t{value} + relaxed.cost(action);
        value = static_cast<std::int32_t>(std::min<std::int64_t>(total, infiniteValue - 1));
        for (std::uint32_t precondition : relaxed.preconditions(action)) need(precondition);
    }
    std::sort(plan.begin(), plan.end());
    for (std::uint32_t action : plan) {
        if (relaxed.applicable(action, state)) helpful.push_back(relaxed.instanceOf(action));
    }
    return value;
}

}  // namespace vexmolda

#include "solvers/SearchSpace.h"

#include <algorithm>
#include <cassert>

namespace vexmolda {

std::string heuristicNameFor(const SolveTask& task, const char* fallback) {
    return task.heuristic.empty() || task.heuristic == "default" ? fallback : task.heuristic;
}

SearchSpace::SearchSpace(const SolveTask& task, const std::string& heuristicName)
    : task(task),
      packed(task.instances, task.initial, task.goal, task.facts.size()),
      relaxed(packed, task),
      heuristic(heuristicFactories().at(heuristicName)(relaxed)),
      statusWords(heuristic->statusWords()),
      states(packed.words()),
      statuses(std::max<std::size_t>(statusWords, 1)),
      parentWords(packed.words()),
      parentStatus(statusWords),
      childWords(packed.words()) {}

std::uint32_t SearchSpace::store(const std::uint64_t* state, std::uint64_t hash, SearchNode node) {
    const std::uint32_t number = states.insertNew(state, hash);
    nodes.growTo(number + 1);
    marks.growTo(number + 1);
    nodes[number] = node;
    marks[number] = 0;
    if (statusWords > 0) statuses.growTo(number + 1);
    return number;
}

std::uint32_t SearchSpace::addInitial() {
    const std::uint64_t* initial = packed.initialBits().data();
    const std::uint32_t start = store(initial, states.hashOf(initial), {PackedStateTable::none, -1});
    if (statusWords > 0) heuristic->initialStatus(initial, statuses.record(start));
    return start;
}

std::int32_t SearchSpace::evaluate(std::uint32_t state) {
    return heuristic->evaluate(states.state(state), statusWords > 0 ? statuses.record(state) : nullptr);
}

void SearchSpace::expand(std::uint32_t state, bool markPreferred, std::vector<Successor>& successors) {
    successors.clear();
    const std::uint64_t* stored = states.state(state);
    parentWords.assign(stored, stored + packed.words());
    if (statusWords > 0) {
        const std::uint64_t* status = statuses.record(state);
        parentStatus.assign(status, status + statusWords);
    }
    const std::span<const std::int32_t> preferred =
        markPreferred ? heuristic->preferred() : std::span<const std::int32_t>{};
    packed.applicable(parentWords.data(), applicableIds);
    std::size_t nextPreferred = 0;
    for (std::int32_t instance : applicableIds) {
        // Both lists ascend: one walk finds the preferred ones.
        while (nextPreferred < preferred.size() && preferred[nextPreferred] < instance) ++nextPreferred;
        const bool isPreferred = nextPreferred < preferred.size() && preferred[nextPreferred] == instance;
        if (!packed.apply(parentWords.data(), instance, childWords.data())) continue;
        const std::uint64_t hash = states.hashOf(childWords.data());
        std::uint32_t number = states.find(childWords.data(), hash);
        const bool isNew = number == PackedStateTable::none;
        if (isNew) {
            number = store(childWords.data(), hash, {state, instance});
            if (statusWords > 0) heuristic->childStatus(parentStatus.data(), childWords.data(), statuses.record(number));
        }
        successors.push_back({number, instance, isNew, isPreferred});
    }
}

std::size_t SearchSpace::bytesUsed() const {
    return states.bytesUsed() + nodes.bytesUsed() + marks.bytesUsed() + (statusWords > 0 ? statuses.bytesUsed() : 0);
}

bool SearchSpace::wouldPassMemoryLimit(WorkControl& control, std::uint32_t state, std::size_t callerBytes,
                                       std::size_t callerGrowth) {
    if (control.memoryLimitBytes == 0) return false;
    packed.applicable(states.state(state), applicableIds);
    const std::size_t more = applicableIds.size();
    const std::size_t stored = states.size() + more;
    const std::size_t growth = states.growthBytes(more) + nodes.growthBytes(stored) + marks.growthBytes(stored) +
                               (statusWords > 0 ? statuses.growthBytes(stored) : 0) + callerGrowth;
    return control.wouldPassMemoryLimit(bytesUsed() + callerBytes, growth);
}

void SearchSpace::fillPlan(std::uint32_t state, Plan& plan) const {
    plan.state.clear();
    for (std::int32_t fact : packed.factIds(states.state(state))) plan.state.insert(task.facts[fact]);
    std::vector<OperationInstance*> steps;
    for (std::uint32_t number = state; nodes[number].instance >= 0; number = nodes[number].parent) {
        assert(number < states.size());
        steps.push_back(task.instances[nodes[number].instance]);
    }
    plan.steps.assign(steps.rbegin(), steps.rend());
    plan.cost = static_cast<int>(plan.steps.size());
}

}  // namespace vexmolda

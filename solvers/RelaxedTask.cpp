#include "solvers/RelaxedTask.h"

#include "solvers/DeadInstances.h"
#include "solvers/InstanceFacts.h"

namespace vexmolda {

namespace {

// Turns per-entry lists into one array with begins (one more than entries).
void fillIndex(const std::vector<std::vector<std::uint32_t>>& lists, std::vector<std::uint32_t>& begins,
               std::vector<std::uint32_t>& flat) {
    begins.assign(1, 0);
    for (const auto& list : lists) {
        flat.insert(flat.end(), list.begin(), list.end());
        begins.push_back(static_cast<std::uint32_t>(flat.size()));
    }
}

}  // namespace

RelaxedTask::RelaxedTask(const PackedTask& packed, const SolveTask& task, std::span<const std::int32_t> costs)
    : packedTask(packed), factOfBit(packed.changingFacts().begin(), packed.changingFacts().end()) {
    const InstanceList& instances = task.instances;
    assert(costs.empty() || costs.size() == instances.size());
    const std::size_t factCount = task.facts.size();
    bitOfFact.assign(factCount, -1);
    for (std::size_t bit = 0; bit < factOfBit.size(); ++bit) bitOfFact[factOfBit[bit]] = static_cast<std::int32_t>(bit);
    std::vector<bool> alwaysTrue(factCount, false);
    for (std::int32_t fact : packed.alwaysTrueFacts()) alwaysTrue[fact] = true;

    const InstanceFacts sets(instances);
    const std::vector<bool> live = liveInstances(sets, task.initial, factCount);
    std::vector<std::vector<std::uint32_t>> consumersOf(factOfBit.size());
    std::vector<std::vector<std::uint32_t>> achieversOf(factOfBit.size());
    preBegin.assign(1, 0);
    addBegin.assign(1, 0);
    for (std::size_t id = 0; id < instances.size(); ++id) {
        if (!live[id]) continue;
        bool canApply = true;
        const std::size_t preStart = preBits.size();
        for (std::int32_t fact : sets.pre(id)) {
            if (bitOfFact[fact] >= 0) {
                preBits.push_back(static_cast<std::uint32_t>(bitOfFact[fact]));
            } else if (!alwaysTrue[fact]) {
                canApply = false;
            }
        }
        const std::size_t addStart = addBits.size();
        for (std::int32_t fact : sets.add(id)) {
            if (bitOfFact[fact] >= 0) addBits.push_back(static_cast<std::uint32_t>(bitOfFact[fact]));
        }
        if (!canApply || addBits.size() == addStart) {
            preBits.resize(preStart);
            addBits.resize(addStart);
            continue;
        }
        const auto action = static_cast<std::uint32_t>(instanceOfAction.size());
        instanceOfAction.push_back(static_cast<std::int32_t>(id));
        actionCost.push_back(costs.empty() ? 1 : costs[id]);
        for (std::size_t i = preStart; i < preBits.size(); ++i) consumersOf[preBits[i]].push_back(action);
        for (std::size_t i = addStart; i < addBits.size(); ++i) achieversOf[addBits[i]].push_back(action);
        if (preBits.size() == preStart) unconditionalActions.push_back(action);
        preBegin.push_back(static_cast<std::uint32_t>(preBits.size()));
        addBegin.push_back(static_cast<std::uint32_t>(addBits.size()));
    }
    fillIndex(consumersOf, consumerBegin, consumerList);
    fillIndex(achieversOf, achieverBegin, achieverList);
    for (const Fact* fact : task.goal) {
        if (bitOfFact[fact->id] >= 0) {
            goalBits.push_back(static_cast<std::uint32_t>(bitOfFact[fact->id]));
        } else if (!alwaysTrue[fact->id]) {
            goalImpossible = true;
        }
    }
}

bool RelaxedTask::applicable(std::uint32_t action, const std::uint64_t* state) const {
    for (std::uint32_t bit : preconditions(action)) {
        if (!testBit(state, bit)) return false;
    }
    return true;
}

void RelaxedTask::pack(const State& state, std::vector<std::uint64_t>& words) const {
    words.assign(packedTask.words(), 0);
    for (const Fact* fact : state) {
        const std::int32_t bit = bitOfFact[fact->id];
        if (bit >= 0) words[bit >> 6] |= std::uint64_t{1} << (bit & 63);
    }
}

}  // namespace vexmolda

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
    for (const Fact* fact : task.goal) {
        if (bitOfFact[fact->id] >= 0) {
            goalBits.push_back(static_cast<std::uint32_t>(bitOfFact[fact->id]));
        } else if (!alwaysTrue[fact->id]) {
            goalImpossible = true;
        }
    }

    // The instances that can apply at all and add a changing fact.
    std::vector<std::int32_t> candidates;
    std::vector<std::uint32_t> candidatePre, candidatePreBegin{0}, candidateAdd, candidateAddBegin{0};
    std::vector<std::vector<std::uint32_t>> achieversOf(factOfBit.size());
    for (std::size_t id = 0; id < instances.size(); ++id) {
        if (!live[id]) continue;
        bool canApply = true;
        const std::size_t preStart = candidatePre.size();
        for (std::int32_t fact : sets.pre(id)) {
            if (bitOfFact[fact] >= 0) {
                candidatePre.push_back(static_cast<std::uint32_t>(bitOfFact[fact]));
            } else if (!alwaysTrue[fact]) {
                canApply = false;
            }
        }
        const std::size_t addStart = candidateAdd.size();
        for (std::int32_t fact : sets.add(id)) {
            if (bitOfFact[fact] >= 0) candidateAdd.push_back(static_cast<std::uint32_t>(bitOfFact[fact]));
        }
        if (!canApply || candidateAdd.size() == addStart) {
            candidatePre.resize(preStart);
            candidateAdd.resize(addStart);
            continue;
        }
        for (std::size_t i = addStart; i < candidateAdd.size(); ++i) {
            achieversOf[candidateAdd[i]].push_back(static_cast<std::uint32_t>(candidates.size()));
        }
        candidates.push_back(static_cast<std::int32_t>(id));
        candidatePreBegin.push_back(static_cast<std::uint32_t>(candidatePre.size()));
        candidateAddBegin.push_back(static_cast<std::uint32_t>(candidateAdd.size()));
    }

    // Only actions that can lead to the goal matter to any goal cost:
    // achievers of the goal facts and, backwards, of their preconditions.
    std::vector<std::uint8_t> relevantFact(factOfBit.size(), 0), relevantAction(candidates.size(), 0);
    std::vector<std::uint32_t> pending(goalBits.begin(), goalBits.end());
    for (std::uint32_t bit : goalBits) relevantFact[bit] = 1;
    while (!pending.empty()) {
        const std::uint32_t bit = pending.back();
        pending.pop_back();
        for (std::uint32_t candidate : achieversOf[bit]) {
            if (relevantAction[candidate]) continue;
            relevantAction[candidate] = 1;
            for (std::uint32_t i = candidatePreBegin[candidate]; i < candidatePreBegin[candidate + 1]; ++i) {
                if (!relevantFact[candidatePre[i]]) {
                    relevantFact[candidatePre[i]] = 1;
                    pending.push_back(candidatePre[i]);
                }
            }
        }
    }

    std::vector<std::vector<std::uint32_t>> consumersOf(factOfBit.size());
    for (auto& list : achieversOf) list.clear();
    preBegin.assign(1, 0);
    addBegin.assign(1, 0);
    for (std::size_t candidate = 0; candidate < candidates.size(); ++candidate) {
        if (!relevantAction[candidate]) continue;
        const auto action = static_cast<std::uint32_t>(instanceOfAction.size());
        const std::int32_t id = candidates[candidate];
        instanceOfAction.push_back(id);
        actionCost.push_back(costs.empty() ? 1 : costs[id]);
        for (std::uint32_t i = candidatePreBegin[candidate]; i < candidatePreBegin[candidate + 1]; ++i) {
            preBits.push_back(candidatePre[i]);
            consumersOf[candidatePre[i]].push_back(action);
        }
        for (std::uint32_t i = candidateAddBegin[candidate]; i < candidateAddBegin[candidate + 1]; ++i) {
            addBits.push_back(candidateAdd[i]);
            achieversOf[candidateAdd[i]].push_back(action);
        }
        if (preBits.size() == preBegin.back()) unconditionalActions.push_back(action);
        preBegin.push_back(static_cast<std::uint32_t>(preBits.size()));
        addBegin.push_back(static_cast<std::uint32_t>(addBits.size()));
    }
    fillIndex(consumersOf, consumerBegin, consumerList);
    fillIndex(achieversOf, achieverBegin, achieverList);
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

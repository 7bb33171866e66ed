#pragma once
// The task of a forward search over states as fixed-width bit sets of the
// facts that can change; every other fact keeps its initial value.

#include <cstdint>
#include <span>
#include <vector>

#include "domain/State.h"
#include "grounding/OperationInstance.h"

namespace vexmolda {

// An instance's sets as bit numbers of changing facts. Preconditions on facts
// that always hold are left out; effects on unchanging facts change nothing.
struct PackedAction {
    std::uint32_t begin;  // into PackedTask's bit list: pre, then add, then del
    std::uint16_t pre;
    std::uint16_t add;
    std::uint16_t del;
};

// Built once per run from the instances, the initial state and the goal.
class PackedTask {
public:
    PackedTask(const InstanceList& instances, const State& initial, const State& goal, std::size_t factCount);

    // 64-bit words per state.
    std::size_t words() const { return wordCount; }
    // The initial state's bits.
    std::span<const std::uint64_t> initialBits() const { return initial; }
    // Goal facts not in the state.
    std::int32_t openGoals(const std::uint64_t* state) const;
    // Ids of the instances whose preconditions hold in the state, ascending;
    // instances that can never apply are never looked at.
    void applicable(const std::uint64_t* state, std::vector<std::int32_t>& result) const;
    // Writes the state less the instance's deletes plus its adds; returns
    // whether it differs from the state.
    bool apply(const std::uint64_t* state, std::int32_t instance, std::uint64_t* successor) const;
    // The fact ids of the state, ascending: the unchanging true ones and the set bits.
    std::vector<std::int32_t> factIds(const std::uint64_t* state) const;
    // The fact id of each bit.
    std::span<const std::int32_t> changingFacts() const { return factOfBit; }
    // The facts true in every state, ascending ids.
    std::span<const std::int32_t> alwaysTrueFacts() const { return alwaysTrue; }

private:
    std::size_t wordCount = 1;
    std::vector<std::int32_t> factOfBit;
    std::vector<std::int32_t> alwaysTrue;  // fact ids, ascending
    std::vector<std::uint64_t> initial;
    std::vector<std::uint64_t> goalMask;
    std::int32_t goalsNeverMet = 0;
    std::vector<std::uint32_t> bits;  // the actions' bit lists
    std::vector<PackedAction> actions;
    // Live instances by the bit of their rarest changing precondition (listed
    // first among their preconditions); those without one apply in every state.
    std::vector<std::uint32_t> watchBegin;
    std::vector<std::int32_t> watching;
    // Beside each entry of watching, its instance's changing preconditions as
    // words of a state: the test is one masked compare per word.
    std::vector<std::uint64_t> watchMasks;
    std::vector<std::int32_t> alwaysApplicable;
};

inline bool testBit(const std::uint64_t* words, std::uint32_t bit) { return (words[bit >> 6] >> (bit & 63)) & 1u; }

}  // namespace vexmolda

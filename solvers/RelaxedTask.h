#pragma once
// The delete relaxation of a packed task: the live instances as actions over
// the changing facts (the bits of PackedTask), with preconditions and adds
// only, indexed both ways for propagation.

#include <cassert>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "domain/State.h"
#include "solvers/PackedTask.h"
#include "solvers/SolveTask.h"

namespace vexmolda {

// The value of a state from which the goal cannot be reached even without
// deletes; every heuristic uses it for a dead end.
inline constexpr std::int32_t infiniteValue = std::numeric_limits<std::int32_t>::max();

// Built once per run. Actions are the instances that can apply at all and add
// some changing fact that leads to the goal (a goal fact, or backwards a
// precondition of such an action; the others change no goal cost), in
// ascending instance id, so a lower action number is a lower instance id.
// Facts are the packed task's bits.
class RelaxedTask {
public:
    // Costs by instance id; empty means every instance costs 1.
    RelaxedTask(const PackedTask& packed, const SolveTask& task, std::span<const std::int32_t> costs = {});

    const PackedTask& packed() const { return packedTask; }
    std::size_t factCount() const { return factOfBit.size(); }
    std::size_t actionCount() const { return instanceOfAction.size(); }
    std::int32_t instanceOf(std::uint32_t action) const { return instanceOfAction[action]; }
    std::int32_t cost(std::uint32_t action) const { return actionCost[action]; }
    // The fact id of a bit.
    std::int32_t factOf(std::uint32_t bit) const { return factOfBit[bit]; }
    std::span<const std::uint32_t> preconditions(std::uint32_t action) const { return slice(preBegin, preBits, action); }
    std::span<const std::uint32_t> adds(std::uint32_t action) const { return slice(addBegin, addBits, action); }
    // The actions that need the bit.
    std::span<const std::uint32_t> consumers(std::uint32_t bit) const { return slice(consumerBegin, consumerList, bit); }
    // The actions that add the bit.
    std::span<const std::uint32_t> achievers(std::uint32_t bit) const { return slice(achieverBegin, achieverList, bit); }
    // Actions without changing preconditions: they apply in every state.
    std::span<const std::uint32_t> unconditional() const { return unconditionalActions; }
    // The goal's changing facts.
    std::span<const std::uint32_t> goal() const { return goalBits; }
    // Some goal fact is false initially and added by no live instance.
    bool goalNeverReached() const { return goalImpossible; }
    // The action's changing preconditions all hold in the state.
    bool applicable(std::uint32_t action, const std::uint64_t* state) const;
    // The state's changing facts as packed words (the size of packed().words()).
    void pack(const State& state, std::vector<std::uint64_t>& words) const;

private:
    static std::span<const std::uint32_t> slice(const std::vector<std::uint32_t>& begins,
                                                const std::vector<std::uint32_t>& list, std::uint32_t index) {
        assert(index + 1 < begins.size());
        return {list.data() + begins[index], begins[index + 1] - begins[index]};
    }

    const PackedTask& packedTask;
    std::vector<std::int32_t> factOfBit;
    std::vector<std::int32_t> bitOfFact;  // -1 for unchanging facts
    std::vector<std::int32_t> instanceOfAction;
    std::vector<std::int32_t> actionCost;
    std::vector<std::uint32_t> preBegin, preBits;
    std::vector<std::uint32_t> addBegin, addBits;
    std::vector<std::uint32_t> consumerBegin, consumerList;
    std::vector<std::uint32_t> achieverBegin, achieverList;
    std::vector<std::uint32_t> unconditionalActions;
    std::vector<std::uint32_t> goalBits;
    bool goalImpossible = false;
};

}  // namespace vexmolda

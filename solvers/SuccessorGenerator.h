#pragma once
// Finds the instances applicable in a state without testing every instance.

#include <cstdint>
#include <span>
#include <vector>

#include "domain/State.h"
#include "grounding/OperationInstance.h"

namespace vexmolda {

// An instance's sets as fact ids, for the searches.
struct GroundAction {
    std::vector<std::int32_t> pre;
    std::vector<std::int32_t> add;
    std::vector<std::int32_t> del;
};

// Each instance is filed under one precondition that some instance changes;
// instances needing only unchanging facts are always tried (when those hold
// initially) or never. The result lists exactly the applicable instances, in
// list order, as a full scan would.
class SuccessorGenerator {
public:
    // Reads the instances; the initial state decides the unchanging facts.
    void build(const InstanceList& instances, const State& initial, std::size_t factCount);
    // Ids of the instances whose preconditions all hold, ascending. inState
    // has one bit per fact id.
    void applicable(std::span<const std::int32_t> state, const std::vector<std::uint64_t>& inState,
                    std::vector<std::int32_t>& result) const;
    const GroundAction& action(std::int32_t instance) const { return actions[instance]; }
    std::size_t size() const { return actions.size(); }

private:
    std::vector<GroundAction> actions;
    std::vector<std::vector<std::int32_t>> filedUnder;  // by fact id
    std::vector<std::int32_t> alwaysTried;
};

inline bool hasBit(const std::vector<std::uint64_t>& bits, std::int32_t index) {
    return (bits[static_cast<std::size_t>(index) >> 6] >> (index & 63)) & 1u;
}

}  // namespace vexmolda

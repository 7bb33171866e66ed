#pragma once
// Every instance's precondition, add and delete lists as fact ids in one array.

#include <cassert>
#include <cstdint>
#include <span>
#include <vector>

#include "grounding/OperationInstance.h"

namespace vexmolda {

// Read once from the instances, so the passes that prepare a run walk
// memory in order instead of following each instance's facts.
class InstanceFacts {
public:
    explicit InstanceFacts(const InstanceList& instances);

    std::size_t size() const { return (begins.size() - 1) / 3; }
    std::span<const std::int32_t> pre(std::size_t id) const { return list(3 * id); }
    std::span<const std::int32_t> add(std::size_t id) const { return list(3 * id + 1); }
    std::span<const std::int32_t> del(std::size_t id) const { return list(3 * id + 2); }

private:
    std::span<const std::int32_t> list(std::size_t index) const {
        assert(index + 1 < begins.size());
        return {ids.data() + begins[index], begins[index + 1] - begins[index]};
    }

    std::vector<std::int32_t> ids;
    std::vector<std::uint32_t> begins;  // pre, add and del of each instance, then the end
};

}  // namespace vexmolda

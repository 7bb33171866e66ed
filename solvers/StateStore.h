#pragma once
// Compact interned search states: each distinct state stored once, by number.

#include <cstdint>
#include <span>
#include <vector>

namespace vexmolda {

// States as ascending fact ids in one flat array, with a hash index.
class StateStore {
public:
    static constexpr std::int32_t none = -1;

    // The number of an equal stored state, or none.
    std::int32_t find(std::span<const std::int32_t> facts) const;
    // Stores the state unless present; returns its number.
    std::int32_t insert(std::span<const std::int32_t> facts);
    std::span<const std::int32_t> facts(std::int32_t state) const;
    std::size_t size() const { return hashes.size(); }
    std::size_t bytesUsed() const;
    // What inserting one more state of that many facts may allocate.
    std::size_t growthBytes(std::size_t factCount) const;
    void clear();

private:
    static std::uint64_t hashOf(std::span<const std::int32_t> facts);
    std::int32_t findWithHash(std::span<const std::int32_t> facts, std::uint64_t hash) const;
    void grow();

    std::vector<std::int32_t> data;
    std::vector<std::uint32_t> offsets{0};
    std::vector<std::uint64_t> hashes;
    std::vector<std::int32_t> slots;  // open addressing over state numbers
};

}  // namespace vexmolda

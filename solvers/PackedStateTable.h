#pragma once
// Distinct fixed-width bit-set states, numbered in insertion order, found by
// one open-addressing hash table.

#include <cstdint>
#include <vector>

#include "solvers/ChunkedArray.h"

namespace vexmolda {

// States live in chunks: a small search takes little memory and a big one
// never copies more than the first chunk as it grows.
class PackedStateTable {
public:
    static constexpr std::uint32_t none = 0xffffffffu;

    explicit PackedStateTable(std::size_t words) : stateWords(words) {}

    // The hash every other call takes with the state, computed once by the caller.
    std::uint64_t hashOf(const std::uint64_t* state) const;
    // Asks the processor to fetch the slot the hash starts at; changes nothing.
    void prefetchSlot(std::uint64_t hash) const;
    // The first stored state whose slot carries the hash's tag, or none: most
    // likely the equal state, if one is stored. Its words are prefetched;
    // reads the (ideally prefetched) slots, changes nothing.
    std::uint32_t prefetchCandidate(std::uint64_t hash) const;
    // The number of an equal stored state, or none.
    std::uint32_t find(const std::uint64_t* state, std::uint64_t hash) const;
    // Stores a state known to be absent; returns its number.
    std::uint32_t insertNew(const std::uint64_t* state, std::uint64_t hash);
    // A stored state's words; valid until the next insertNew.
    const std::uint64_t* state(std::uint32_t number) const { return stateWords.record(number); }
    std::size_t size() const { return count; }
    std::size_t bytesUsed() const;
    // At most what storing that many more states allocates.
    std::size_t growthBytes(std::size_t moreStates) const;

private:
    std::uint32_t tagOf(std::uint64_t hash) const { return static_cast<std::uint32_t>(hash >> 32) & ~numberMask; }
    // From slot on, the first slot whose entry carries the tag, or noSlot once
    // a free slot ends the probe.
    std::size_t nextTagMatch(std::size_t slot, std::uint32_t tag) const;
    static constexpr std::size_t noSlot = ~std::size_t{0};
    void place(std::uint64_t hash, std::uint32_t number);
    void grow();

    std::size_t count = 0;
    ChunkedArray<std::uint64_t> stateWords;
    // Hash bits above a state number below numberMask; none marks a free slot.
    std::vector<std::uint32_t> slots;
    std::uint32_t numberMask = 0;
};

}  // namespace vexmolda

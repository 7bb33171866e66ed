#pragma once
// Distinct fixed-width bit-set states, numbered in insertion order, found by
// one open-addressing hash table.

#include <cstdint>
#include <memory>
#include <vector>

namespace vexmolda {

// States live in chunks that never move, so a state's words stay put while
// the table grows and no capacity is wasted beyond the last chunk.
class PackedStateTable {
public:
    static constexpr std::uint32_t none = 0xffffffffu;

    explicit PackedStateTable(std::size_t words) : wordCount(words) {}

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
    const std::uint64_t* state(std::uint32_t number) const {
        return chunks[number >> chunkShift].get() + (number & (chunkStates - 1)) * wordCount;
    }
    std::size_t size() const { return count; }
    std::size_t bytesUsed() const;

private:
    static constexpr std::uint32_t chunkShift = 14;
    static constexpr std::uint32_t chunkStates = 1u << chunkShift;

    std::uint32_t tagOf(std::uint64_t hash) const { return static_cast<std::uint32_t>(hash >> 32) & ~numberMask; }
    // From slot on, the first slot whose entry carries the tag, or noSlot once
    // a free slot ends the probe.
    std::size_t nextTagMatch(std::size_t slot, std::uint32_t tag) const;
    static constexpr std::size_t noSlot = ~std::size_t{0};
    void place(std::uint64_t hash, std::uint32_t number);
    void grow();

    std::size_t wordCount;
    std::size_t count = 0;
    std::vector<std::unique_ptr<std::uint64_t[]>> chunks;
    // Hash bits above a state number below numberMask; none marks a free slot.
    std::vector<std::uint32_t> slots;
    std::uint32_t numberMask = 0;
};

}  // namespace vexmolda

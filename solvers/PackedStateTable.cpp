#include "solvers/PackedStateTable.h"

#include <algorithm>
#include <cassert>

namespace vexmolda {

namespace {

bool sameWords(const std::uint64_t* left, const std::uint64_t* right, std::size_t words) {
    for (std::size_t word = 0; word < words; ++word) {
        if (left[word] != right[word]) return false;
    }
    return true;
}

}  // namespace

std::uint64_t PackedStateTable::hashOf(const std::uint64_t* state) const {
    std::uint64_t hash = 0x9e3779b97f4a7c15ull;
    const std::size_t wordCount = stateWords.recordWidth();
    for (std::size_t word = 0; word < wordCount; ++word) {
        hash = (hash ^ state[word]) * 0xff51afd7ed558ccdull;
        hash ^= hash >> 29;
    }
    // Every bit of every word reaches the low bits that pick the slot.
    hash *= 0xc4ceb9fe1a85ec53ull;
    return hash ^ (hash >> 32);
}

void PackedStateTable::prefetchSlot(std::uint64_t hash) const {
    if (!slots.empty()) __builtin_prefetch(&slots[hash & (slots.size() - 1)]);
}

std::size_t PackedStateTable::nextTagMatch(std::size_t slot, std::uint32_t tag) const {
    const std::size_t mask = slots.size() - 1;
    for (;; slot = (slot + 1) & mask) {
        const std::uint32_t entry = slots[slot];
        if (entry == none) return noSlot;
        if ((entry & ~numberMask) == tag) return slot;
    }
}

std::uint32_t PackedStateTable::prefetchCandidate(std::uint64_t hash) const {
    if (slots.empty()) return none;
    const std::size_t slot = nextTagMatch(hash & (slots.size() - 1), tagOf(hash));
    if (slot == noSlot) return none;
    const std::uint32_t number = slots[slot] & numberMask;
    __builtin_prefetch(state(number));
    return number;
}

std::uint32_t PackedStateTable::find(const std::uint64_t* wanted, std::uint64_t hash) const {
    assert(hash == hashOf(wanted));
    if (slots.empty()) return none;
    const std::size_t mask = slots.size() - 1;
    const std::uint32_t tag = tagOf(hash);
    for (std::size_t slot = nextTagMatch(hash & mask, tag); slot != noSlot; slot = nextTagMatch((slot + 1) & mask, tag)) {
        const std::uint32_t number = slots[slot] & numberMask;
        if (sameWords(state(number), wanted, stateWords.recordWidth())) return number;
    }
    return none;
}

void PackedStateTable::place(std::uint64_t hash, std::uint32_t number) {
    const std::size_t mask = slots.size() - 1;
    std::size_t slot = hash & mask;
    while (slots[slot] != none) slot = (slot + 1) & mask;
    slots[slot] = tagOf(hash) | number;
}

void PackedStateTable::grow() {
    assert(slots.size() < (std::size_t{1} << 31));
    slots.assign(std::max<std::size_t>(64, slots.size() * 2), none);
    // State numbers stay below the slot count, so the bits above them carry
    // a few hash bits that spare most comparisons of whole states.
    numberMask = static_cast<std::uint32_t>(slots.size() - 1);
    for (std::uint32_t number = 0; number < count; ++number) place(hashOf(state(number)), number);
}

std::uint32_t PackedStateTable::insertNew(const std::uint64_t* wanted, std::uint64_t hash) {
    assert(hash == hashOf(wanted));
    // At most three quarters full: probes stay short.
    if ((count + 1) * 4 > slots.size() * 3) grow();
    const auto number = static_cast<std::uint32_t>(count);
    stateWords.growTo(count + 1);
    std::copy(wanted, wanted + stateWords.recordWidth(), stateWords.record(number));
    ++count;
    place(hash, number);
    return number;
}

std::size_t PackedStateTable::growthBytes(std::size_t moreStates) const {
    std::size_t bytes = stateWords.growthBytes(count + moreStates);
    // Each growth of the slots allocates the new array while the old one lives.
    for (std::size_t slotCount = slots.size(); (count + moreStates) * 4 > slotCount * 3;) {
        slotCount = std::max<std::size_t>(64, slotCount * 2);
        bytes += slotCount * sizeof(std::uint32_t);
    }
    return bytes;
}

std::size_t PackedStateTable::bytesUsed() const {
    return stateWords.bytesUsed() + slots.capacity() * sizeof(std::uint32_t);
}

}  // namespace vexmolda

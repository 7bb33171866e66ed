#include "solvers/StateStore.h"

#include <algorithm>

#include "solvers/GrowthBytes.h"

namespace vexmolda {

std::uint64_t StateStore::hashOf(std::span<const std::int32_t> facts) {
    std::uint64_t hash = 0x9e3779b97f4a7c15ull ^ facts.size();
    for (std::int32_t fact : facts) {
        hash ^= static_cast<std::uint64_t>(fact) + 0x9e3779b97f4a7c15ull + (hash << 6) + (hash >> 2);
    }
    return hash * 0xff51afd7ed558ccdull;
}

std::span<const std::int32_t> StateStore::facts(std::int32_t state) const {
    return {data.data() + offsets[state], offsets[state + 1] - offsets[state]};
}

std::int32_t StateStore::findWithHash(std::span<const std::int32_t> wanted, std::uint64_t hash) const {
    if (slots.empty()) return none;
    const std::size_t mask = slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::int32_t state = slots[slot];
        if (state == none) return none;
        if (hashes[state] == hash) {
            const auto stored = facts(state);
            if (std::equal(stored.begin(), stored.end(), wanted.begin(), wanted.end())) return state;
        }
    }
}

std::int32_t StateStore::find(std::span<const std::int32_t> wanted) const {
    return findWithHash(wanted, hashOf(wanted));
}

void StateStore::grow() {
    std::vector<std::int32_t> bigger(std::max<std::size_t>(1024, slots.size() * 2), none);
    const std::size_t mask = bigger.size() - 1;
    for (std::size_t state = 0; state < hashes.size(); ++state) {
        std::size_t slot = hashes[state] & mask;
        while (bigger[slot] != none) slot = (slot + 1) & mask;
        bigger[slot] = static_cast<std::int32_t>(state);
    }
    slots.swap(bigger);
}

std::int32_t StateStore::insert(std::span<const std::int32_t> wanted) {
    const std::uint64_t hash = hashOf(wanted);
    const std::int32_t existing = findWithHash(wanted, hash);
    if (existing != none) return existing;
    if ((hashes.size() + 1) * 2 > slots.size()) grow();
    const auto state = static_cast<std::int32_t>(hashes.size());
    data.insert(data.end(), wanted.begin(), wanted.end());
    offsets.push_back(static_cast<std::uint32_t>(data.size()));
    hashes.push_back(hash);
    const std::size_t mask = slots.size() - 1;
    std::size_t slot = hash & mask;
    while (slots[slot] != none) slot = (slot + 1) & mask;
    slots[slot] = state;
    return state;
}

std::size_t StateStore::bytesUsed() const {
    return data.capacity() * sizeof(std::int32_t) + offsets.capacity() * sizeof(std::uint32_t) +
           hashes.capacity() * sizeof(std::uint64_t) + slots.capacity() * sizeof(std::int32_t);
}

std::size_t StateStore::growthBytes(std::size_t factCount) const {
    const std::size_t slotGrowth =
        (hashes.size() + 1) * 2 > slots.size() ? std::max<std::size_t>(1024, slots.size() * 2) * sizeof(std::int32_t) : 0;
    return vectorGrowthBytes(data, factCount) + vectorGrowthBytes(offsets, 1) + vectorGrowthBytes(hashes, 1) + slotGrowth;
}

void StateStore::clear() {
    data.clear();
    offsets.assign(1, 0);
    hashes.clear();
    slots.clear();
}

}  // namespace vexmolda

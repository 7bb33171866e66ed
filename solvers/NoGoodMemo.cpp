#include "solvers/NoGoodMemo.h"

#include <algorithm>
#include <bit>
#include <cassert>

namespace vexmolda {

void NoGoodMemo::clear() {
    keyLevels.clear();
    exactKeys.clear();
    exactWords.clear();
    exactSlots.clear();
    trie.assign(1, TrieNode{});
    emptyKeyLevel = noLevel;
    highestLevel = noLevel;
}

std::span<const std::uint32_t> NoGoodMemo::trimmed(std::span<const std::uint32_t> row) {
    std::size_t length = row.size();
    while (length > 0 && row[length - 1] == 0) --length;
    return row.first(length);
}

std::size_t NoGoodMemo::hashOf(std::span<const std::uint32_t> words) {
    std::uint64_t hash = 0x9e3779b97f4a7c15ull ^ words.size();
    for (std::uint32_t word : words) {
        hash = (hash ^ word) * 0xff51afd7ed558ccdull;
        hash ^= hash >> 32;
    }
    return static_cast<std::size_t>(hash);
}

std::size_t NoGoodMemo::exactSlot(std::span<const std::uint32_t> words) const {
    assert(!exactSlots.empty());
    const std::size_t mask = exactSlots.size() - 1;
    for (std::size_t slot = hashOf(words) & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t number = exactSlots[slot];
        if (number == freeSlot) return slot;
        const ExactKey& key = exactKeys[number];
        if (key.length == words.size() &&
            std::equal(words.begin(), words.end(), exactWords.begin() + key.begin)) {
            return slot;
        }
    }
}

std::uint32_t NoGoodMemo::recordExact(std::span<const std::uint32_t> words, std::int32_t level) {
    // At most half full: probes stay short.
    if ((exactKeys.size() + 1) * 2 > exactSlots.size()) {
        exactSlots.assign(std::max<std::size_t>(64, exactSlots.size() * 2), freeSlot);
        for (std::uint32_t number = 0; number < exactKeys.size(); ++number) {
            const ExactKey& key = exactKeys[number];
            exactSlots[exactSlot({exactWords.data() + key.begin, key.length})] = number;
        }
    }
    const std::size_t slot = exactSlot(words);
    if (exactSlots[slot] != freeSlot) {
        ExactKey& key = exactKeys[exactSlots[slot]];
        key.level = std::max(key.level, level);
        return exactSlots[slot];
    }
    const auto number = static_cast<std::uint32_t>(exactKeys.size());
    exactSlots[slot] = number;
    exactKeys.push_back({static_cast<std::uint32_t>(exactWords.size()), static_cast<std::uint32_t>(words.size()), level});
    exactWords.insert(exactWords.end(), words.begin(), words.end());
    return number;
}

std::vector<std::pair<BitRow, std::int32_t>> NoGoodMemo::entries() const {
    std::vector<std::pair<BitRow, std::int32_t>> listed;
    listed.reserve(keyLevels.size());
    for (const auto& [numberAndWidth, level] : keyLevels) {
        const ExactKey& key = exactKeys[numberAndWidth >> 32];
        BitRow row(numberAndWidth & 0xffffffffu);
        std::copy_n(exactWords.begin() + key.begin, key.length, row.words.begin());
        listed.emplace_back(std::move(row), level);
    }
    std::sort(listed.begin(), listed.end(),
              [](const auto& left, const auto& right) { return BitRowKeyOrder{}(left.first, right.first); });
    return listed;
}

void NoGoodMemo::record(std::span<const std::uint32_t> key, std::int32_t level) {
    const std::uint32_t number = recordExact(trimmed(key), level);
    keyLevels.insert_or_assign((std::uint64_t{number} << 32) | key.size(), level);

    // Keys with the same bits but other lengths share a path; the node keeps
    // the highest of their levels, which is what a match needs.
    highestLevel = std::max(highestLevel, level);
    std::uint32_t node = 0;
    TrieChild* last = nullptr;
    for (std::size_t word = 0; word < key.size(); ++word) {
        for (std::uint32_t bits = key[word]; bits; bits &= bits - 1) {
            const auto bit = static_cast<std::uint32_t>(word * 32 + std::countr_zero(bits));
            auto* children = &trie[node].children;
            auto child = std::lower_bound(children->begin(), children->end(), bit,
                                          [](const TrieChild& entry, std::uint32_t value) { return entry.bit < value; });
            if (child == children->end() || child->bit != bit) {
                const auto made = static_cast<std::uint32_t>(trie.size());
                child = children->insert(child, TrieChild{bit, made, noLevel, noLevel});
                const std::size_t position = static_cast<std::size_t>(child - children->begin());
                trie.emplace_back();  // may move the nodes, so the list is found again
                children = &trie[node].children;
                child = children->begin() + static_cast<std::ptrdiff_t>(position);
            }
            child->highestBelow = std::max(child->highestBelow, level);
            node = child->node;
            last = &*child;
        }
    }
    if (last == nullptr) {
        emptyKeyLevel = std::max(emptyKeyLevel, level);
    } else {
        last->level = std::max(last->level, level);
    }
}

bool NoGoodMemo::prunes(std::span<const std::uint32_t> row, std::int32_t level) const {
    if (highestLevel < level) return false;
    const std::span<const std::uint32_t> words = trimmed(row);
    const std::uint32_t exact = exactSlots[exactSlot(words)];
    if (exact != freeSlot && exactKeys[exact].level >= level) return true;
    if (emptyKeyLevel >= level) return true;
    const std::size_t rowBits = row.size() * 32;
    // Walk the paths made of the row's bits. A child's bit is above its
    // parent's, so testing each child against the row keeps paths ascending.
    std::vector<std::uint32_t>& pending = queryStack;
    pending.assign(1, 0u);
    while (!pending.empty()) {
        const std::uint32_t index = pending.back();
        pending.pop_back();
        for (const TrieChild& child : trie[index].children) {
            if (child.bit >= rowBits) break;
            if (child.highestBelow < level || !((row[child.bit >> 5] >> (child.bit & 31u)) & 1u)) continue;
            if (child.level >= level) return true;
            pending.push_back(child.node);
        }
    }
    return false;
}

}  // namespace vexmolda

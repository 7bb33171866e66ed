#include "solvers/NoGoodMemo.h"

#include <algorithm>
#include <bit>

namespace vexmolda {

void NoGoodMemo::clear() {
    entries.clear();
    trie.assign(1, TrieNode{noLevel, noLevel, {}});
}

void NoGoodMemo::record(std::span<const std::uint32_t> key, std::int32_t level) {
    BitRow row;
    row.words.assign(key.begin(), key.end());
    entries.insert_or_assign(std::move(row), level);

    // Keys with the same bits but other lengths share a path; the node keeps
    // the highest of their levels, which is what a match needs.
    std::uint32_t node = 0;
    trie[node].highestBelow = std::max(trie[node].highestBelow, level);
    for (std::size_t word = 0; word < key.size(); ++word) {
        for (std::uint32_t bits = key[word]; bits; bits &= bits - 1) {
            const auto bit = static_cast<std::uint32_t>(word * 32 + std::countr_zero(bits));
            auto& children = trie[node].children;
            auto child = std::lower_bound(children.begin(), children.end(), bit,
                                          [](const auto& entry, std::uint32_t value) { return entry.first < value; });
            std::uint32_t next;
            if (child != children.end() && child->first == bit) {
                next = child->second;
            } else {
                next = static_cast<std::uint32_t>(trie.size());
                children.emplace(child, bit, next);
                trie.push_back(TrieNode{noLevel, noLevel, {}});
            }
            node = next;
            trie[node].highestBelow = std::max(trie[node].highestBelow, level);
        }
    }
    trie[node].level = std::max(trie[node].level, level);
}

bool NoGoodMemo::prunes(std::span<const std::uint32_t> row, std::int32_t level) const {
    if (trie[0].highestBelow < level) return false;
    const std::size_t rowBits = row.size() * 32;
    // Walk the paths made of the row's bits. A child's bit is above its
    // parent's, so testing each child against the row keeps paths ascending.
    std::vector<std::pair<std::uint32_t, std::size_t>>& pending = queryStack;
    pending.assign(1, {0u, 0u});
    while (!pending.empty()) {
        const std::uint32_t index = pending.back().first;
        pending.pop_back();
        const TrieNode& node = trie[index];
        if (node.level >= level) return true;
        for (const auto& [bit, child] : node.children) {
            if (bit >= rowBits) break;
            if (((row[bit >> 5] >> (bit & 31u)) & 1u) && trie[child].highestBelow >= level) {
                pending.emplace_back(child, 0u);
            }
        }
    }
    return false;
}

}  // namespace vexmolda

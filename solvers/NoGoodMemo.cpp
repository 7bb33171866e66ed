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
    std::vector<std::uint32_t>& bits = queryBits;
    bits.clear();
    for (std::size_t word = 0; word < row.size(); ++word) {
        for (std::uint32_t set = row[word]; set; set &= set - 1) {
            bits.push_back(static_cast<std::uint32_t>(word * 32 + std::countr_zero(set)));
        }
    }
    // Walk the paths made of the row's bits: children and bits are both ascending.
    std::vector<std::pair<std::uint32_t, std::size_t>>& pending = queryStack;
    pending.assign(1, {0u, 0u});
    while (!pending.empty()) {
        const auto [index, firstBit] = pending.back();
        pending.pop_back();
        const TrieNode& node = trie[index];
        if (node.level >= level) return true;
        const auto& children = node.children;
        auto child = children.begin();
        for (std::size_t b = firstBit; b < bits.size() && child != children.end(); ++b) {
            child = std::lower_bound(child, children.end(), bits[b],
                                     [](const auto& entry, std::uint32_t value) { return entry.first < value; });
            if (child != children.end() && child->first == bits[b]) {
                if (trie[child->second].highestBelow >= level) pending.emplace_back(child->second, b + 1);
                ++child;
            }
        }
    }
    return false;
}

}  // namespace vexmolda

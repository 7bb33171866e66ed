#pragma once
// The memo of failed subgoal sets, with an index for the subset test.

#include <climits>
#include <cstdint>
#include <map>
#include <span>
#include <vector>

#include "solvers/BitRow.h"

namespace vexmolda {

// Failed subgoal sets (keys in key order) to the highest level at which each
// failed. An entry prunes, at any level up to its own, every set containing it.
class NoGoodMemo {
public:
    using Entries = std::map<BitRow, std::int32_t, BitRowKeyOrder>;

    void clear();
    std::size_t size() const { return entries.size(); }
    // Inserts the key or overwrites its level.
    void record(std::span<const std::uint32_t> key, std::int32_t level);
    // Some entry of level at least the given one has every bit in the row
    // (a key's words beyond the row must be zero).
    bool prunes(std::span<const std::uint32_t> row, std::int32_t level) const;
    Entries::const_iterator begin() const { return entries.begin(); }
    Entries::const_iterator end() const { return entries.end(); }

private:
    // Keys as paths of ascending bit numbers in a tree: a key lies inside a
    // row exactly when its path can be walked along bits the row holds, so a
    // query visits only such paths. Each node knows the highest level below
    // it, so paths whose entries are all too low are skipped. The answer is
    // the one a scan of every entry would give.
    struct TrieNode {
        std::int32_t level;          // the key ending here, or noLevel
        std::int32_t highestBelow;   // over this node and its descendants
        std::vector<std::pair<std::uint32_t, std::uint32_t>> children;  // bit, node
    };
    static constexpr std::int32_t noLevel = INT32_MIN;

    std::vector<TrieNode> trie{TrieNode{noLevel, noLevel, {}}};
    // Scratch space of prunes, kept to spare allocations.
    mutable std::vector<std::uint32_t> queryBits;
    mutable std::vector<std::pair<std::uint32_t, std::size_t>> queryStack;
    Entries entries;
};

}  // namespace vexmolda

#pragma once
// The memo of failed subgoal sets, with an index for the subset test.

#include <climits>
#include <cstdint>
#include <unordered_map>
#include <span>
#include <vector>

#include "solvers/BitRow.h"

namespace vexmolda {

// Failed subgoal sets (keys in key order) to the highest level at which each
// failed. An entry prunes, at any level up to its own, every set containing it.
class NoGoodMemo {
public:
    void clear();
    // Distinct keys: the same bits in rows of other widths count apart.
    std::size_t size() const { return keyLevels.size(); }
    // Inserts the key or overwrites its level.
    void record(std::span<const std::uint32_t> key, std::int32_t level);
    // Some entry of level at least the given one has every bit in the row
    // (a key's words beyond the row must be zero).
    bool prunes(std::span<const std::uint32_t> row, std::int32_t level) const;
    // Every key with the level it was last recorded at, in key order.
    std::vector<std::pair<BitRow, std::int32_t>> entries() const;

private:
    // Keys as paths of ascending bit numbers in a tree: a key lies inside a
    // row exactly when its path can be walked along bits the row holds, so a
    // query visits only such paths. Each node knows the highest level below
    // it, so paths whose entries are all too low are skipped. The answer is
    // the one a scan of every entry would give.
    // A child's levels sit in its parent's list, so a query rejects a child
    // without reading the child's node.
    struct TrieChild {
        std::uint32_t bit;
        std::uint32_t node;
        std::int32_t level;         // the key ending at the child, or noLevel
        std::int32_t highestBelow;  // over the child and its descendants
    };
    struct TrieNode {
        std::vector<TrieChild> children;  // by ascending bit
    };
    static constexpr std::int32_t noLevel = INT32_MIN;

    // Rows met again exactly are most queries that prune; they are answered
    // by one hash probe. Keys without their trailing zero words, open
    // addressing over key numbers, each key's highest level beside it.
    struct ExactKey {
        std::uint32_t begin;  // into exactWords
        std::uint32_t length;
        std::int32_t level;
    };
    static constexpr std::uint32_t freeSlot = 0xffffffffu;
    static std::span<const std::uint32_t> trimmed(std::span<const std::uint32_t> row);
    static std::size_t hashOf(std::span<const std::uint32_t> words);
    // The slot holding the key, or the free slot where it would go.
    std::size_t exactSlot(std::span<const std::uint32_t> words) const;
    // Returns the key's number.
    std::uint32_t recordExact(std::span<const std::uint32_t> words, std::int32_t level);

    std::vector<ExactKey> exactKeys;
    std::vector<std::uint32_t> exactWords;
    std::vector<std::uint32_t> exactSlots;
    std::vector<TrieNode> trie{TrieNode{}};
    // The root's levels: the empty key's, and the highest of all.
    std::int32_t emptyKeyLevel = noLevel;
    std::int32_t highestLevel = noLevel;
    // Scratch space of prunes, kept to spare allocations.
    mutable std::vector<std::uint32_t> queryBits;
    mutable std::vector<std::uint32_t> queryStack;
    // By exact key number and row width: the level last recorded.
    std::unordered_map<std::uint64_t, std::int32_t> keyLevels;
};

}  // namespace vexmolda

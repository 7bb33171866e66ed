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
    // The bytes the memo's structures take.
    std::size_t bytesUsed() const;
    // At most what recording one key of that many words allocates.
    std::size_t growthBytes(std::size_t keyWords) const;
    // Every key with the level it was last recorded at, in key order.
    std::vector<std::pair<BitRow, std::int32_t>> entries() const;

private:
    // Keys as paths of descending bit numbers in a tree: a key lies inside a
    // row exactly when its path can be walked along bits the row holds, so a
    // query visits only such paths. Each node knows the highest level below
    // it, so paths whose entries are all too low are skipped. The answer is
    // the one a scan of every entry would give.
    // Bits are folded onto 64 positions (bit mod 64): a node whose keys all
    // share a position the row lacks is skipped, and a node finds the children
    // the row can reach from the positions the two have in common, without
    // reading the others. A node and the edge to it are one record, and a
    // node's children one block of the pool, so a step down the tree is one
    // memory access. Most keys share only a short prefix: the rest of a path
    // that only one key takes is kept as a list of bits (a tail), not as a
    // chain of nodes, and split when a second key leaves it.
    struct TrieNode {
        std::uint64_t commonFold = ~std::uint64_t{0};  // the positions every key through the node has
        std::uint64_t childFold = 0;                   // the positions of the children's bits
        std::uint32_t bit = 0;
        std::int32_t level;         // the key ending here (a tail's: at its end), or noLevel
        std::int32_t highestBelow;  // over the node and its descendants
        // Children: a block of the pool, by position then bit. A tail: its
        // bits in tailBits, descending.
        std::uint32_t childrenBegin = 0;
        std::uint32_t childCount = 0;
        bool onePerPosition = true;  // no two children share a position
        bool tail = false;
    };
    static std::uint64_t foldOf(std::span<const std::uint32_t> row);
    // Blocks hold a power of two of children, two at least; none while empty.
    static std::uint32_t blockSizeFor(std::uint32_t childCount);
    // Where the children of the position begin among the node's children.
    std::size_t firstAtPosition(const TrieNode& node, std::uint32_t position) const;
    // The child of the node with the bit, made (and said so) if missing; returns its index.
    std::uint32_t childWithBit(std::uint32_t node, std::uint32_t bit, std::uint64_t keyFold, bool& made);
    // Turns a tail node into a node with one child, which takes the tail's rest.
    void splitTail(std::uint32_t node);
    // A block of the pool of the given size.
    std::uint32_t takeBlock(std::uint32_t size);
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
    // A key's number and the high half of its hash, which settles most
    // mismatches without reading the key.
    struct ExactSlot {
        std::uint32_t number = freeSlot;
        std::uint32_t tag = 0;
    };
    static std::span<const std::uint32_t> trimmed(std::span<const std::uint32_t> row);
    static std::uint64_t hashOf(std::span<const std::uint32_t> words);
    // The slot holding the key, or the free slot where it would go.
    std::size_t exactSlot(std::span<const std::uint32_t> words, std::uint64_t hash) const;
    // Returns the key's number.
    std::uint32_t recordExact(std::span<const std::uint32_t> words, std::int32_t level);

    std::vector<ExactKey> exactKeys;
    std::vector<std::uint32_t> exactWords;
    std::vector<ExactSlot> exactSlots;
    // The root first; its levels are the empty key's and the highest of all.
    std::vector<TrieNode> trie{TrieNode{.level = noLevel, .highestBelow = noLevel}};
    // Blocks given up when a node outgrew them, by log2 of their size.
    std::vector<std::vector<std::uint32_t>> freeBlocks;
    std::vector<std::uint32_t> tailBits;
    std::vector<std::uint32_t> keyBits;  // scratch space of record
    // Scratch space of prunes, kept to spare allocations.
    mutable std::vector<std::uint32_t> queryStack;
    // By exact key number and row width: the level last recorded.
    std::unordered_map<std::uint64_t, std::int32_t> keyLevels;
};

}  // namespace vexmolda

#pragma once
// The memo of failed subgoal sets, with an index for the subset test.

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
    // What the subset test reads first: a 64-bit fold of the key's bits and
    // the level, so most entries are rejected without touching the key.
    struct Filed {
        std::uint64_t fold;
        std::int32_t level;
        const BitRow* key;
    };
    static std::uint64_t foldOf(std::span<const std::uint32_t> row);

    // A key can only lie inside a row that holds the key's highest bit, so
    // entries are filed under it; the answer equals a scan of all entries.
    std::vector<std::vector<Filed>> byHighestBit;
    std::vector<Filed> emptyKeys;
    Entries entries;
};

}  // namespace vexmolda

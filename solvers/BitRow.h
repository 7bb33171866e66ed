#pragma once
// Growable bit sets over node ids, one 32-bit word per 32 nodes.

#include <cstdint>
#include <span>
#include <vector>

namespace vexmolda {

// Bit b lives in word b / 32 under mask 1 << (b mod 32).
struct BitRow {
    BitRow() = default;
    explicit BitRow(std::size_t wordCount) : words(wordCount, 0u) {}

    std::size_t size() const { return words.size(); }
    bool test(std::uint32_t bit) const {
        const std::size_t word = bit >> 5;
        return word < words.size() && ((words[word] >> (bit & 31u)) & 1u);
    }
    // The row must be long enough.
    void set(std::uint32_t bit) { words[bit >> 5] |= 1u << (bit & 31u); }
    // Appends zero words up to wordCount; never shrinks, never clears bits.
    void grow(std::size_t wordCount) {
        if (words.size() < wordCount) words.resize(wordCount, 0u);
    }
    // Clears every bit from bitCount on and drops the words past wordsFor(bitCount).
    void keepBelow(std::uint32_t bitCount);
    // ORs other in, growing this row when other is longer.
    void orWith(const BitRow& other);
    void clearAll();
    // Every bit of this row is set in other; words other lacks must be zero.
    bool isSubsetOf(std::span<const std::uint32_t> other) const;
    bool operator==(const BitRow&) const = default;

    std::vector<std::uint32_t> words;
};

// The memo's key order: fewer words first, then word by word from word 0.
struct BitRowKeyOrder {
    bool operator()(const BitRow& left, const BitRow& right) const;
};

// Words for a row over count nodes: count / 32 + 1.
inline std::size_t wordsFor(std::uint32_t count) { return count / 32u + 1u; }

}  // namespace vexmolda

#include "solvers/BitRow.h"

#include <algorithm>

namespace vexmolda {

void BitRow::orWith(const BitRow& other) {
    grow(other.words.size());
    for (std::size_t i = 0; i < other.words.size(); ++i) words[i] |= other.words[i];
}

void BitRow::keepBelow(std::uint32_t bitCount) {
    if (words.size() > wordsFor(bitCount)) words.resize(wordsFor(bitCount));
    const std::size_t word = bitCount >> 5;
    if (word < words.size()) words[word] &= (1u << (bitCount & 31u)) - 1u;
}

void BitRow::clearAll() { std::fill(words.begin(), words.end(), 0u); }

bool BitRow::isSubsetOf(std::span<const std::uint32_t> other) const {
    const std::size_t common = std::min(words.size(), other.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (words[i] & ~other[i]) return false;
    }
    for (std::size_t i = common; i < words.size(); ++i) {
        if (words[i]) return false;
    }
    return true;
}

bool BitRowKeyOrder::operator()(const BitRow& left, const BitRow& right) const {
    if (left.words.size() != right.words.size()) return left.words.size() < right.words.size();
    for (std::size_t i = 0; i < left.words.size(); ++i) {
        if (left.words[i] != right.words[i]) return left.words[i] < right.words[i];
    }
    return false;
}

}  // namespace vexmolda

#include "solvers/NoGoodMemo.h"

#include <bit>

namespace vexmolda {

namespace {

// The highest set bit, or -1 for a row without bits.
std::int64_t highestBit(std::span<const std::uint32_t> row) {
    for (std::size_t word = row.size(); word-- > 0;) {
        if (row[word]) return static_cast<std::int64_t>(word * 32 + 31 - std::countl_zero(row[word]));
    }
    return -1;
}

}  // namespace

std::uint64_t NoGoodMemo::foldOf(std::span<const std::uint32_t> row) {
    std::uint64_t fold = 0;
    for (std::size_t word = 0; word < row.size(); ++word) {
        const std::uint64_t bits = row[word];
        fold |= (word & 1) ? bits << 32 : bits;
    }
    return fold;
}

void NoGoodMemo::clear() {
    entries.clear();
    byHighestBit.clear();
    emptyKeys.clear();
}

void NoGoodMemo::record(std::span<const std::uint32_t> key, std::int32_t level) {
    BitRow row;
    row.words.assign(key.begin(), key.end());
    const auto [position, inserted] = entries.insert_or_assign(std::move(row), level);
    const std::int64_t pivot = highestBit(position->first.words);
    if (pivot >= 0 && byHighestBit.size() <= static_cast<std::size_t>(pivot)) byHighestBit.resize(pivot + 1);
    auto& bucket = pivot < 0 ? emptyKeys : byHighestBit[pivot];
    if (!inserted) {
        for (Filed& filed : bucket) {
            if (filed.key == &position->first) filed.level = level;
        }
        return;
    }
    bucket.push_back({foldOf(position->first.words), level, &position->first});
}

bool NoGoodMemo::prunes(std::span<const std::uint32_t> row, std::int32_t level) const {
    const std::uint64_t rowFold = foldOf(row);
    auto inside = [&](const Filed& filed) {
        return filed.level >= level && (filed.fold & ~rowFold) == 0 && filed.key->isSubsetOf(row);
    };
    for (const Filed& filed : emptyKeys) {
        if (filed.level >= level) return true;
    }
    for (std::size_t word = 0; word < row.size(); ++word) {
        for (std::uint32_t bits = row[word]; bits; bits &= bits - 1) {
            const std::size_t bit = word * 32 + std::countr_zero(bits);
            if (bit >= byHighestBit.size()) return false;
            for (const Filed& filed : byHighestBit[bit]) {
                if (inside(filed)) return true;
            }
        }
    }
    return false;
}

}  // namespace vexmolda

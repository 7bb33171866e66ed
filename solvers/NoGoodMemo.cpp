#include "solvers/NoGoodMemo.h"

#include <algorithm>
#include <bit>
#include <cassert>

#include "solvers/BitCount.h"
#include "solvers/GrowthBytes.h"

namespace vexmolda {

void NoGoodMemo::clear() {
    keyLevels.clear();
    exactKeys.clear();
    exactWords.clear();
    exactSlots.clear();
    trie.assign(1, TrieNode{.level = noLevel, .highestBelow = noLevel});
    freeBlocks.clear();
    tailBits.clear();
}

std::span<const std::uint32_t> NoGoodMemo::trimmed(std::span<const std::uint32_t> row) {
    std::size_t length = row.size();
    while (length > 0 && row[length - 1] == 0) --length;
    return row.first(length);
}

std::uint64_t NoGoodMemo::hashOf(std::span<const std::uint32_t> words) {
    std::uint64_t hash = 0x9e3779b97f4a7c15ull ^ words.size();
    for (std::uint32_t word : words) {
        hash = (hash ^ word) * 0xff51afd7ed558ccdull;
        hash ^= hash >> 32;
    }
    return hash;
}

std::size_t NoGoodMemo::exactSlot(std::span<const std::uint32_t> words, std::uint64_t hash) const {
    assert(!exactSlots.empty());
    const std::size_t mask = exactSlots.size() - 1;
    const auto tag = static_cast<std::uint32_t>(hash >> 32);
    for (auto slot = static_cast<std::size_t>(hash & mask);; slot = (slot + 1) & mask) {
        const ExactSlot& entry = exactSlots[slot];
        if (entry.number == freeSlot) return slot;
        if (entry.tag != tag) continue;
        const ExactKey& key = exactKeys[entry.number];
        if (key.length != words.size()) continue;
        const std::uint32_t* stored = exactWords.data() + key.begin;
        std::size_t word = 0;
        while (word < words.size() && stored[word] == words[word]) ++word;
        if (word == words.size()) return slot;
    }
}

std::uint32_t NoGoodMemo::recordExact(std::span<const std::uint32_t> words, std::int32_t level) {
    // At most half full: probes stay short.
    if ((exactKeys.size() + 1) * 2 > exactSlots.size()) {
        exactSlots.assign(std::max<std::size_t>(64, exactSlots.size() * 2), ExactSlot{});
        for (std::uint32_t number = 0; number < exactKeys.size(); ++number) {
            const ExactKey& key = exactKeys[number];
            const std::span<const std::uint32_t> stored(exactWords.data() + key.begin, key.length);
            const std::uint64_t hash = hashOf(stored);
            exactSlots[exactSlot(stored, hash)] = {number, static_cast<std::uint32_t>(hash >> 32)};
        }
    }
    const std::uint64_t hash = hashOf(words);
    ExactSlot& slot = exactSlots[exactSlot(words, hash)];
    if (slot.number != freeSlot) {
        ExactKey& key = exactKeys[slot.number];
        key.level = std::max(key.level, level);
        return slot.number;
    }
    const auto number = static_cast<std::uint32_t>(exactKeys.size());
    slot = {number, static_cast<std::uint32_t>(hash >> 32)};
    exactKeys.push_back({static_cast<std::uint32_t>(exactWords.size()), static_cast<std::uint32_t>(words.size()), level});
    exactWords.insert(exactWords.end(), words.begin(), words.end());
    return number;
}

namespace {

// A map entry's node and its share of the buckets, as the standard library lays them out.
constexpr std::size_t keyLevelBytes = 2 * sizeof(void*) + sizeof(std::uint64_t) + sizeof(std::int32_t);

}  // namespace

std::size_t NoGoodMemo::bytesUsed() const {
    return exactKeys.capacity() * sizeof(ExactKey) + exactWords.capacity() * sizeof(std::uint32_t) +
           exactSlots.capacity() * sizeof(ExactSlot) + trie.capacity() * sizeof(TrieNode) +
           tailBits.capacity() * sizeof(std::uint32_t) + keyBits.capacity() * sizeof(std::uint32_t) +
           queryStack.capacity() * sizeof(std::uint32_t) + keyLevels.size() * keyLevelBytes +
           keyLevels.bucket_count() * sizeof(void*);
}

std::size_t NoGoodMemo::growthBytes(std::size_t keyWords) const {
    // A key adds at most a block for a node's children, fewer than twice the
    // key's bits, a block of two for a split tail, and its bits to the tails.
    const std::size_t keyBitCount = keyWords * 32;
    const std::size_t slotGrowth = (exactKeys.size() + 1) * 2 > exactSlots.size()
                                       ? std::max<std::size_t>(64, exactSlots.size() * 2) * sizeof(ExactSlot)
                                       : 0;
    const std::size_t bucketGrowth =
        keyLevels.size() + 1 > keyLevels.bucket_count() ? 2 * keyLevels.bucket_count() * sizeof(void*) : 0;
    return slotGrowth + bucketGrowth + keyLevelBytes + vectorGrowthBytes(exactKeys, 1) +
           vectorGrowthBytes(exactWords, keyWords) + vectorGrowthBytes(trie, 2 * keyBitCount + 4) +
           vectorGrowthBytes(tailBits, keyBitCount) + vectorGrowthBytes(keyBits, keyBitCount);
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

std::uint64_t NoGoodMemo::foldOf(std::span<const std::uint32_t> row) {
    std::uint64_t fold = 0;
    for (std::size_t word = 0; word < row.size(); ++word) fold |= std::uint64_t{row[word]} << ((word & 1) * 32);
    return fold;
}

namespace {

std::uint32_t positionOf(std::uint32_t bit) { return bit & 63u; }

}  // namespace

std::size_t NoGoodMemo::firstAtPosition(const TrieNode& node, std::uint32_t position) const {
    const std::uint64_t below = node.childFold & ((std::uint64_t{1} << position) - 1);
    if (node.onePerPosition) return static_cast<std::size_t>(countBits(below));
    const auto begin = trie.begin() + node.childrenBegin;
    return static_cast<std::size_t>(
        std::partition_point(begin, begin + node.childCount,
                             [position](const TrieNode& child) { return positionOf(child.bit) < position; }) -
        begin);
}

std::uint32_t NoGoodMemo::blockSizeFor(std::uint32_t childCount) {
    return childCount == 0 ? 0 : std::max<std::uint32_t>(2, std::bit_ceil(childCount));
}

std::uint32_t NoGoodMemo::takeBlock(std::uint32_t size) {
    const auto sizeClass = static_cast<std::size_t>(std::countr_zero(size));
    if (sizeClass < freeBlocks.size() && !freeBlocks[sizeClass].empty()) {
        const std::uint32_t begin = freeBlocks[sizeClass].back();
        freeBlocks[sizeClass].pop_back();
        return begin;
    }
    const auto begin = static_cast<std::uint32_t>(trie.size());
    trie.resize(trie.size() + size);
    return begin;
}

void NoGoodMemo::splitTail(std::uint32_t node) {
    assert(trie[node].tail && trie[node].childCount > 0);
    const std::uint32_t block = takeBlock(blockSizeFor(1));
    TrieNode& parent = trie[node];
    TrieNode& child = trie[block];
    child = TrieNode{.commonFold = parent.commonFold,
                     .bit = tailBits[parent.childrenBegin],
                     .level = parent.level,
                     .highestBelow = parent.level,
                     .childrenBegin = parent.childrenBegin + 1,
                     .childCount = parent.childCount - 1,
                     .tail = parent.childCount > 1};
    if (!child.tail) child.childrenBegin = 0;
    parent.tail = false;
    parent.level = noLevel;
    parent.childrenBegin = block;
    parent.childCount = 1;
    parent.childFold = std::uint64_t{1} << positionOf(child.bit);
    parent.onePerPosition = true;
}

std::uint32_t NoGoodMemo::childWithBit(std::uint32_t node, std::uint32_t bit, std::uint64_t keyFold, bool& made) {
    assert(!trie[node].tail);
    const std::uint32_t position = positionOf(bit);
    const auto byPositionThenBit = [](const TrieNode& child, std::uint32_t value) {
        const std::uint32_t childPosition = positionOf(child.bit);
        const std::uint32_t valuePosition = positionOf(value);
        return childPosition != valuePosition ? childPosition < valuePosition : child.bit < value;
    };
    const TrieNode& parent = trie[node];
    const auto first = trie.begin() + parent.childrenBegin;
    const auto found = std::lower_bound(first, first + parent.childCount, bit, byPositionThenBit);
    const auto at = static_cast<std::uint32_t>(found - first);
    if (at < parent.childCount && found->bit == bit) return parent.childrenBegin + at;

    const std::uint32_t count = parent.childCount;
    const std::uint32_t size = blockSizeFor(count);
    std::uint32_t begin = parent.childrenBegin;
    if (count == size) {
        // Full: the children move to a block twice the size.
        begin = takeBlock(blockSizeFor(count + 1));
        const std::uint32_t old = trie[node].childrenBegin;
        std::copy_n(trie.begin() + old, at, trie.begin() + begin);
        std::copy_n(trie.begin() + old + at, count - at, trie.begin() + begin + at + 1);
        if (count > 0) {
            const auto sizeClass = static_cast<std::size_t>(std::countr_zero(size));
            if (freeBlocks.size() <= sizeClass) freeBlocks.resize(sizeClass + 1);
            freeBlocks[sizeClass].push_back(old);
        }
    } else {
        std::copy_backward(trie.begin() + begin + at, trie.begin() + begin + count, trie.begin() + begin + count + 1);
    }
    TrieNode& grown = trie[node];
    const std::uint64_t positionBit = std::uint64_t{1} << position;
    if (grown.childFold & positionBit) grown.onePerPosition = false;
    grown.childFold |= positionBit;
    grown.childrenBegin = begin;
    grown.childCount = count + 1;
    trie[begin + at] = TrieNode{.commonFold = keyFold, .bit = bit, .level = noLevel, .highestBelow = noLevel};
    made = true;
    return begin + at;
}

void NoGoodMemo::record(std::span<const std::uint32_t> key, std::int32_t level) {
    const std::uint32_t number = recordExact(trimmed(key), level);
    keyLevels.insert_or_assign((std::uint64_t{number} << 32) | key.size(), level);

    keyBits.clear();
    for (std::size_t word = 0; word < key.size(); ++word) {
        for (std::uint32_t bits = key[word]; bits; bits &= bits - 1) {
            keyBits.push_back(static_cast<std::uint32_t>(word * 32 + std::countr_zero(bits)));
        }
    }
    // Paths run from the highest bit down: facts the graph reached late are
    // rarer in the rows asked about, so walks leave the tree sooner.
    std::reverse(keyBits.begin(), keyBits.end());
    // Keys with the same bits but other lengths share a path; the node keeps
    // the highest of their levels, which is what a match needs.
    const std::uint64_t keyFold = foldOf(key);
    std::uint32_t node = 0;
    trie[node].highestBelow = std::max(trie[node].highestBelow, level);
    for (std::size_t at = 0; at < keyBits.size(); ++at) {
        bool made = false;
        node = childWithBit(node, keyBits[at], keyFold, made);
        const std::span<const std::uint32_t> rest = std::span(keyBits).subspan(at + 1);
        if (made && !rest.empty()) {
            // The rest of the key becomes the new node's tail.
            TrieNode& child = trie[node];
            child.tail = true;
            child.childrenBegin = static_cast<std::uint32_t>(tailBits.size());
            child.childCount = static_cast<std::uint32_t>(rest.size());
            child.level = level;
            child.highestBelow = level;
            tailBits.insert(tailBits.end(), rest.begin(), rest.end());
            return;
        }
        if (trie[node].tail) {
            if (std::ranges::equal(rest, std::span(tailBits).subspan(trie[node].childrenBegin, trie[node].childCount))) {
                TrieNode& child = trie[node];
                child.level = std::max(child.level, level);
                child.highestBelow = child.level;
                return;
            }
            splitTail(node);
        }
        TrieNode& child = trie[node];
        child.highestBelow = std::max(child.highestBelow, level);
        child.commonFold &= keyFold;
    }
    trie[node].level = std::max(trie[node].level, level);
}

bool NoGoodMemo::prunes(std::span<const std::uint32_t> row, std::int32_t level) const {
    const TrieNode& root = trie[0];
    if (root.highestBelow < level) return false;
    const std::span<const std::uint32_t> words = trimmed(row);
    const std::uint32_t exact = exactSlots[exactSlot(words, hashOf(words))].number;
    if (exact != freeSlot && exactKeys[exact].level >= level) return true;
    if (root.level >= level) return true;
    const std::size_t rowBits = row.size() * 32;
    const auto inRow = [&](std::uint32_t bit) { return bit < rowBits && ((row[bit >> 5] >> (bit & 31u)) & 1u); };
    const std::uint64_t rowFold = foldOf(row);
    // Walk the paths made of the row's bits; the order children are visited
    // in does not change the answer.
    std::vector<std::uint32_t>& pending = queryStack;
    pending.assign(1, 0u);
    while (!pending.empty()) {
        const TrieNode& node = trie[pending.back()];
        pending.pop_back();
        const std::size_t childrenEnd = node.childrenBegin + node.childCount;
        for (std::uint64_t shared = node.childFold & rowFold; shared; shared &= shared - 1) {
            const auto position = static_cast<std::uint32_t>(std::countr_zero(shared));
            for (std::size_t at = node.childrenBegin + firstAtPosition(node, position); at < childrenEnd; ++at) {
                const TrieNode& child = trie[at];
                assert(positionOf(child.bit) >= position);
                if (positionOf(child.bit) != position) break;
                if (child.highestBelow < level || (child.commonFold & ~rowFold) != 0 || !inRow(child.bit)) continue;
                if (child.tail) {
                    // Its one key, whose level is the node's highest.
                    const auto bits = std::span(tailBits).subspan(child.childrenBegin, child.childCount);
                    if (std::ranges::all_of(bits, inRow)) return true;
                    continue;
                }
                if (child.level >= level) return true;
                if (child.childFold & rowFold) pending.push_back(static_cast<std::uint32_t>(at));
            }
        }
    }
    return false;
}

}  // namespace vexmolda

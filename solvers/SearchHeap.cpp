#include "solvers/SearchHeap.h"

#include "solvers/GrowthBytes.h"

namespace vexmolda {

namespace {

bool ranksBehind(const HeapEntry& left, const HeapEntry& right) { return left.cost > right.cost; }

}  // namespace

std::size_t SearchHeap::growthBytes(std::size_t moreEntries) const { return vectorGrowthBytes(entries, moreEntries); }

void SearchHeap::siftUp(std::size_t hole, std::size_t top, HeapEntry value) {
    while (hole > top) {
        const std::size_t parent = (hole - 1) / 2;
        if (!ranksBehind(entries[parent], value)) break;
        entries[hole] = entries[parent];
        hole = parent;
    }
    entries[hole] = value;
}

void SearchHeap::push(HeapEntry entry) {
    entries.push_back(entry);
    siftUp(entries.size() - 1, 0, entry);
}

void SearchHeap::pop() {
    const HeapEntry value = entries.back();
    entries.pop_back();
    const std::size_t length = entries.size();
    if (length == 0) return;
    // Move the hole from the root down to a leaf, then sift the last entry up.
    std::size_t hole = 0;
    std::size_t child = 0;
    while (child < (length - 1) / 2) {
        child = 2 * (child + 1);
        if (ranksBehind(entries[child], entries[child - 1])) --child;
        entries[hole] = entries[child];
        hole = child;
    }
    if ((length & 1) == 0 && child == (length - 2) / 2) {
        child = 2 * (child + 1);
        entries[hole] = entries[child - 1];
        hole = child - 1;
    }
    siftUp(hole, 0, value);
}

}  // namespace vexmolda

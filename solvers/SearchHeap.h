#pragma once
// The priority queue of the A* search: the classic array heap, smallest cost on top.

#include <cstdint>
#include <vector>

namespace vexmolda {

// A node waiting in the queue.
struct HeapEntry {
    std::int32_t cost;
    std::uint32_t node;
};

// Push and pop as the textbook sift procedures do them with a greater-cost
// comparison: equal costs move the hole to the right child. The order in which
// equal-cost nodes leave decides which plan is found, so it is kept exactly.
class SearchHeap {
public:
    bool empty() const { return entries.empty(); }
    std::size_t size() const { return entries.size(); }
    std::size_t capacity() const { return entries.capacity(); }
    // What pushing that many more entries allocates.
    std::size_t growthBytes(std::size_t moreEntries) const;
    const HeapEntry& top() const { return entries.front(); }
    void push(HeapEntry entry);
    void pop();
    void clear() { entries.clear(); }

private:
    // Moves value up from hole towards top while its parent costs more.
    void siftUp(std::size_t hole, std::size_t top, HeapEntry value);

    std::vector<HeapEntry> entries;
};

}  // namespace vexmolda

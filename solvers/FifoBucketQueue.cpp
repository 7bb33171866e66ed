#include "solvers/FifoBucketQueue.h"

#include <algorithm>

namespace vexmolda {

void FifoBucketQueue::push(std::int32_t key, std::uint32_t node) {
    assert(key >= 0);
    const auto index = static_cast<std::size_t>(key);
    if (index >= buckets.size()) buckets.resize(index + 1);
    std::vector<std::uint32_t>& nodes = buckets[index].nodes;
    const std::size_t before = nodes.capacity();
    nodes.push_back(node);
    nodeBytes += (nodes.capacity() - before) * sizeof(std::uint32_t);
    largestBucket = std::max(largestBucket, nodes.capacity());
    if (count == 0 || index < lowest) lowest = index;
    ++count;
}

std::int32_t FifoBucketQueue::lowestKey() {
    assert(count > 0);
    while (buckets[lowest].head == buckets[lowest].nodes.size()) ++lowest;
    return static_cast<std::int32_t>(lowest);
}

std::uint32_t FifoBucketQueue::pop() {
    Bucket& bucket = buckets[static_cast<std::size_t>(lowestKey())];
    const std::uint32_t node = bucket.nodes[bucket.head++];
    if (bucket.head == bucket.nodes.size()) {
        // An emptied bucket gives its memory back: a greedy search rarely
        // returns to a value it has left.
        nodeBytes -= bucket.nodes.capacity() * sizeof(std::uint32_t);
        std::vector<std::uint32_t>().swap(bucket.nodes);
        bucket.head = 0;
    }
    --count;
    return node;
}

std::size_t FifoBucketQueue::bytesUsed() const { return buckets.capacity() * sizeof(Bucket) + nodeBytes; }

std::size_t FifoBucketQueue::growthBytes(std::size_t moreNodes) const {
    // A vector that grows doubles: the largest bucket may double once more.
    return (largestBucket + moreNodes) * sizeof(std::uint32_t) * 2;
}

}  // namespace vexmolda

#pragma once
// An open list over small non-negative integer keys: smallest key first,
// first in first out among equal keys.

#include <cassert>
#include <cstdint>
#include <vector>

namespace vexmolda {

// One growing bucket per key; a bucket is emptied in the order it was filled,
// so equal keys leave in insertion order on every platform.
class FifoBucketQueue {
public:
    bool empty() const { return count == 0; }
    std::size_t size() const { return count; }
    void push(std::int32_t key, std::uint32_t node);
    // The smallest key's oldest node; the queue must not be empty.
    std::uint32_t pop();
    // The key of the node pop returns next; the queue must not be empty.
    std::int32_t lowestKey();
    std::size_t bytesUsed() const;
    // At most what pushing that many more nodes allocates.
    std::size_t growthBytes(std::size_t moreNodes) const;

private:
    struct Bucket {
        std::vector<std::uint32_t> nodes;
        std::size_t head = 0;  // nodes before it have left
    };
    std::vector<Bucket> buckets;
    std::size_t lowest = 0;  // no bucket below it holds a node
    std::size_t count = 0;
    std::size_t nodeBytes = 0;      // the buckets' node capacity, in bytes
    std::size_t largestBucket = 0;  // the largest bucket's capacity
};

}  // namespace vexmolda

#pragma once
// Storage handed out in runs that keep their address, taken from large chunks.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

namespace vexmolda {

// Hands out runs of contiguous elements from chunks it owns; a run keeps its
// address until clear. Few allocations for many small runs.
template <class Element>
class ChunkStore {
public:
    // Room for count elements in one run, default-initialised.
    Element* take(std::size_t count) {
        if (chunks.empty() || used + count > capacity) {
            const std::size_t size = std::max(chunkElements, count);
            // Everything that allocates comes first, so a bad_alloc leaves the store as it was.
            auto chunk = std::make_unique_for_overwrite<Element[]>(size);
            chunks.reserve(chunks.size() + 1);
            chunks.push_back(std::move(chunk));
            capacity = size;
            used = 0;
        }
        Element* run = chunks.back().get() + used;
        used += count;
        return run;
    }
    void clear() {
        chunks.clear();
        used = 0;
        capacity = 0;
    }

private:
    static constexpr std::size_t chunkElements = std::max<std::size_t>(1, (std::size_t{64} << 10) / sizeof(Element));
    std::vector<std::unique_ptr<Element[]>> chunks;
    std::size_t used = 0;
    std::size_t capacity = 0;
};

}  // namespace vexmolda

#pragma once
// A growing array of fixed-width records in chunks: the first chunk starts
// small and grows by half until it is full size, later chunks are full size
// from the start, so a small search keeps a small footprint and a big one never
// copies more than the first chunk.

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <memory>
#include <type_traits>
#include <vector>

namespace vexmolda {

template <typename T>
class ChunkedArray {
    static_assert(std::is_trivially_copyable_v<T>, "the first chunk is copied as it grows");

public:
    // Each record is `width` consecutive elements.
    explicit ChunkedArray(std::size_t width = 1) : width(width) {}

    // The first element of record i. Records of the first chunk move while it
    // grows; later ones never move.
    T* record(std::size_t i) {
        assert(i < capacity);
        return chunks[i >> shift].get() + (i & (chunkRecords - 1)) * width;
    }
    const T* record(std::size_t i) const {
        assert(i < capacity);
        return chunks[i >> shift].get() + (i & (chunkRecords - 1)) * width;
    }
    // Elements per record.
    std::size_t recordWidth() const { return width; }
    // Element i of an array of single-element records.
    T& operator[](std::size_t i) { return *record(i); }
    const T& operator[](std::size_t i) const { return *record(i); }

    // Makes records 0 to size - 1 addressable; new records are uninitialised.
    void growTo(std::size_t size) {
        while (capacity < size) {
            const std::size_t grown = nextCapacity(capacity);
            if (chunks.empty()) {
                chunks.push_back(std::make_unique_for_overwrite<T[]>(grown * width));
            } else if (capacity < chunkRecords) {
                // A lone first chunk is indexed from 0, so any size up to full will do.
                auto larger = std::make_unique_for_overwrite<T[]>(grown * width);
                std::copy(chunks[0].get(), chunks[0].get() + capacity * width, larger.get());
                chunks[0] = std::move(larger);
            } else {
                chunks.push_back(std::make_unique_for_overwrite<T[]>(chunkRecords * width));
            }
            capacity = grown;
        }
    }
    // The bytes growTo(size) would allocate, the chunk list's growth included.
    std::size_t growthBytes(std::size_t size) const {
        std::size_t bytes = 0;
        std::size_t chunkCount = chunks.size();
        for (std::size_t records = capacity; records < size;) {
            const std::size_t grown = nextCapacity(records);
            bytes += (records < chunkRecords ? grown : chunkRecords) * width * sizeof(T);
            if (records == 0 || records >= chunkRecords) ++chunkCount;
            records = grown;
        }
        if (chunkCount > chunks.capacity()) bytes += std::max(chunks.capacity() * 2, chunkCount) * sizeof(chunks[0]);
        return bytes;
    }
    // The bytes the records and the chunk list take.
    std::size_t bytesUsed() const { return capacity * width * sizeof(T) + chunks.capacity() * sizeof(chunks[0]); }

private:
    // The capacity after one growth step from the given one.
    static std::size_t nextCapacity(std::size_t records) {
        if (records == 0) return firstRecords;
        if (records < chunkRecords) return std::min(records + records / 2, chunkRecords);
        return records + chunkRecords;
    }

    static constexpr std::size_t shift = 14;
    static constexpr std::size_t chunkRecords = std::size_t{1} << shift;
    static constexpr std::size_t firstRecords = 64;
    static_assert(firstRecords >= 2 && firstRecords <= chunkRecords, "each growth adds records");

    std::size_t width;
    std::size_t capacity = 0;
    std::vector<std::unique_ptr<T[]>> chunks;
};

}  // namespace vexmolda

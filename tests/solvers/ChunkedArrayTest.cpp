#include <gtest/gtest.h>

#include <cstdint>

#include "solvers/ChunkedArray.h"

namespace vexmolda {
namespace {

std::uint64_t valueOf(std::size_t record, std::size_t element) { return record * 7919 + element * 104729 + 1; }

// Records written one at a time, as the search stores states, keep their words
// through every growth of the first chunk and across chunk boundaries, and a
// small array takes little more than its records.
TEST(ChunkedArray, RecordsSurviveEveryGrowthAndSmallArraysStaySmall) {
    constexpr std::size_t width = 3;
    constexpr std::size_t records = 40000;  // past two full chunks
    ChunkedArray<std::uint64_t> array(width);
    for (std::size_t record = 0; record < records; ++record) {
        array.growTo(record + 1);
        for (std::size_t element = 0; element < width; ++element) array.record(record)[element] = valueOf(record, element);
        if (record == 99) {
            // 100 records of 24 bytes: the first chunk has grown by half at most past them.
            EXPECT_LE(array.bytesUsed(), 100 * width * sizeof(std::uint64_t) * 3 / 2 + 64);
        }
    }
    std::size_t wrong = 0;
    for (std::size_t record = 0; record < records; ++record) {
        for (std::size_t element = 0; element < width; ++element) wrong += array.record(record)[element] != valueOf(record, element);
    }
    EXPECT_EQ(wrong, 0u);
    EXPECT_GE(array.bytesUsed(), records * width * sizeof(std::uint64_t));
}

}  // namespace
}  // namespace vexmolda

#include <gtest/gtest.h>

#include <algorithm>

#include "gui/ClipBand.h"
#include "gui/InstanceColumns.h"

namespace vexmolda {
namespace {

TEST(InstanceColumns, NoInstancesIsOneEmptyColumn) {
    const InstanceColumns layout = instanceColumns(0, 0);
    EXPECT_EQ(layout.columns, 1);
    EXPECT_EQ(layout.rows, 0);
    EXPECT_FLOAT_EQ(layout.pitch, 7.5f);
}

TEST(InstanceColumns, FortyTwoPerColumn) {
    EXPECT_EQ(instanceColumns(1, 10).columns, 1);
    EXPECT_EQ(instanceColumns(42, 10).columns, 1);
    EXPECT_EQ(instanceColumns(42, 10).rows, 42);
    // 43 need two columns of 22 and 21.
    EXPECT_EQ(instanceColumns(43, 10).columns, 2);
    EXPECT_EQ(instanceColumns(43, 10).rows, 22);
}

TEST(InstanceColumns, WideTextsLimitTheColumnCount) {
    // By count three columns, but 3 x 37.5 > 100.
    const InstanceColumns layout = instanceColumns(100, 30);
    EXPECT_FLOAT_EQ(layout.pitch, 37.5f);
    EXPECT_EQ(layout.columns, 2);
    EXPECT_EQ(layout.rows, 50);
    // Exactly 100 units still fits.
    EXPECT_EQ(instanceColumns(100, 25.83333f).columns, 3);
}

TEST(InstanceColumns, AtLeastOneColumnWhateverTheWidth) {
    const InstanceColumns layout = instanceColumns(50, 200);
    EXPECT_EQ(layout.columns, 1);
    EXPECT_EQ(layout.rows, 50);
}

TEST(InstanceColumns, MissingFontMeasuresMinusOne) {
    // Without a font every width is -1: pitch 6.5, 15 columns fit.
    const InstanceColumns layout = instanceColumns(1000, -1);
    EXPECT_EQ(layout.columns, 15);
    EXPECT_EQ(layout.rows, 67);
}

TEST(ClipBand, KeepsExactlyTheRowsAFillOfTheBandCovers) {
    // The scrolled instance list: rows from its top (8.1 on screen) down, at several window heights.
    for (const int viewportHeight : {600, 850, 3000, 601}) {
        for (const float top : {8.1f, 0.0f, 33.3f, 99.99f}) {
            const PixelBand band = pixelBand(top, 100, viewportHeight);
            const float perUnit = static_cast<float>(viewportHeight) / 100;
            int first = viewportHeight, end = 0;
            for (int row = 0; row < viewportHeight; ++row) {
                const float centre = static_cast<float>(row) + 0.5f;
                if (centre >= top * perUnit && centre < 100 * perUnit) {
                    first = std::min(first, row);
                    end = row + 1;
                }
            }
            if (end == 0) first = 0;
            EXPECT_EQ(band.height, end - first) << viewportHeight << " rows from " << top;
            if (end > first) {
                EXPECT_EQ(band.bottom, viewportHeight - end) << viewportHeight << " rows from " << top;
            }
        }
    }
}

}  // namespace
}  // namespace vexmolda

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vexmolda

#include <gtest/gtest.h>

#include <cmath>

#include "domain/Atom.h"
#include "domain/Fact.h"
#include "domain/Type.h"
#include "gui/InterferenceLayout.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

constexpr ViewPoint windowOrigin{2.65f, 0.1f};

// Two instances a(x), b(x) and the no-op of f(x); a interferes with b.
struct SmallTable {
    SmallTable() {
        testing::freshSession();
        Atom* x = testing::session().model.declareAtom("x", testing::session().model.anyType, testing::session().messages);
        argument = x;
        first = OperationInstance(a, {&argument, 1}, nullptr, 0, 0, 0);
        second = OperationInstance(b, {&argument, 1}, nullptr, 0, 0, 0);
        graph.factNodes.push_back(FactNode{testing::session().model.facts.intern("f", {x}), {}, {}});
        ActionNode noop;
        noop.pres = {0};
        noop.adds = {0};
        graph.actionNodes.push_back(noop);
        graph.actionNodes.push_back(ActionNode{BitRow(1), &first, {}, {}, {}});
        graph.actionNodes.push_back(ActionNode{BitRow(1), &second, {}, {}, {}});
        graph.actionNodes[0].interference = BitRow(1);
        graph.actionNodes[1].interference.set(2);
        graph.actionNodes[2].interference.set(1);
        graph.factLevelEnd = {0, 1, 1};
        graph.actionLevelEnd = {0, 0, 3};
    }
    Operation a{"a"};
    Operation b{"b"};
    Atom* argument = nullptr;
    OperationInstance first;
    OperationInstance second;
    PlanningGraph graph;
};

TEST(InterferenceLayout, LabelsOfInstancesAndNoops) {
    SmallTable small;
    EXPECT_EQ(actionLabel(small.graph, 0), "nop(f(x))");
    EXPECT_EQ(actionLabel(small.graph, 1), "a(x)\n");
    EXPECT_EQ(actionTooltipLine(small.graph, 0), "nop(f(x))\n");
    EXPECT_EQ(actionTooltipLine(small.graph, 2), "b(x)\n");
    // Column's action first, then the row's.
    EXPECT_EQ(cellTooltipText(small.graph, 2, 0), "b(x)\nnop(f(x))\n");
}

TEST(InterferenceLayout, TableLeavesRoomForTheLabels) {
    const InterferenceTable table = interferenceTable(10, 3);
    EXPECT_FLOAT_EQ(table.left, 12);
    // The slant angle is a shade under 60 degrees.
    EXPECT_NEAR(table.top, 10 * std::sqrt(3.0f) / 2 + 2, 1e-3);
    EXPECT_LT(table.top, 10 * std::sqrt(3.0f) / 2 + 2);
    EXPECT_FLOAT_EQ(table.right(), 12 + 3 * 2.25f);
    EXPECT_FLOAT_EQ(table.bottom(), table.top + 9);
    const InterferenceTable empty = interferenceTable(0, 0);
    EXPECT_FLOAT_EQ(empty.left, 2);
    EXPECT_FLOAT_EQ(empty.top, 2);
    EXPECT_FLOAT_EQ(empty.right(), 2);
}

TEST(InterferenceLayout, CellUnderThePointer) {
    const InterferenceTable table = interferenceTable(10, 3);
    ZoomPan view;
    const auto pointAt = [&](float gx, float gy) { return drawingToScreen(view, windowOrigin, {gx, gy}); };
    const auto cell = [&](float gx, float gy) { return cellUnder(table, view, windowOrigin, pointAt(gx, gy)); };
    EXPECT_EQ(cell(table.left + 0.1f, table.top + 0.1f), (TableCell{0, 0}));
    EXPECT_EQ(cell(table.left + 2.3f, table.top + 8.9f), (TableCell{1, 2}));
    // Left of, above, right of and below the table: none.
    EXPECT_FALSE(cell(table.left - 0.1f, table.top + 1));
    EXPECT_FALSE(cell(table.left + 1, table.top - 0.1f));
    EXPECT_FALSE(cell(table.right() + 0.1f, table.top + 1));
    EXPECT_FALSE(cell(table.left + 1, table.bottom() + 0.1f));
    // The same cell stays under the pointer whatever the zoom and pan.
    view.zoom = 3.5f;
    view.panX = -61;
    view.panY = -40;
    EXPECT_EQ(cell(table.left + 4.6f, table.top + 3.2f), (TableCell{2, 1}));
}

TEST(InterferenceLayout, VisibleRangesCoverEveryCellMeetingTheSpan) {
    const InterferenceTable table = interferenceTable(0, 10);  // left 2, top 2
    const IndexRange all = columnsBetween(table, -100, 100);
    EXPECT_EQ(all.begin, 0u);
    EXPECT_EQ(all.end, 10u);
    const IndexRange middle = columnsBetween(table, 2 + 2.25f * 3.5f, 2 + 2.25f * 5.5f);
    EXPECT_EQ(middle.begin, 3u);
    EXPECT_EQ(middle.end, 6u);
    EXPECT_TRUE(columnsBetween(table, -10, 1.9f).empty());
    EXPECT_TRUE(columnsBetween(table, 2 + 2.25f * 10 + 0.1f, 500).empty());
    const IndexRange rows = rowsBetween(table, 0, 2 + 3 * 1.5f);
    EXPECT_EQ(rows.begin, 0u);
    EXPECT_EQ(rows.end, 2u);
    EXPECT_TRUE(rowsBetween(interferenceTable(0, 0), -100, 100).empty());
}

TEST(InterferenceLayout, LabelPlaces) {
    const InterferenceTable table = interferenceTable(10, 3);
    // Column labels start a quarter of the spare width in and half a cell above.
    const ViewPoint anchor = columnLabelAnchor(table, 2);
    EXPECT_FLOAT_EQ(anchor.x, table.left + 2 * 2.25f + 0.0625f);
    EXPECT_FLOAT_EQ(anchor.y, table.top - 1.5f);
    // Row labels are centred in their 3-unit rows.
    EXPECT_FLOAT_EQ(rowLabelTop(table, 1), table.top + 0.5f + 3);
}

}  // namespace
}  // namespace vexmolda

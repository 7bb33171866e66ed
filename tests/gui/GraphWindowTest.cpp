#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "GuiTreeFixture.h"
#include "command/LoadFile.h"
#include "SyntheticFont.h"
#include "grounding/InstanceText.h"
#include "grounding/OperationInstance.h"
#include "gui/AppWindow.h"
#include "gui/Font.h"
#include "gui/IFWindow.h"
#include "gui/Label.h"
#include "gui/PGWindow.h"
#include "support/Session.h"

using vexmolda::testing::runLines;
using vexmolda::testing::session;

namespace vexmolda {
namespace {

using GraphWindows = testing::GuiTreeTest;

constexpr ViewPoint windowCorner{2.65f, 0.1f};

// Pixels of the default 800 x 600 window for a point in screen units.
int px(float units) { return static_cast<int>(std::lround(units * 8)); }
int py(float units) { return static_cast<int>(std::lround(units * 6)); }

void show(Window& window) {
    window.shown = true;
    window.slide = 1;
}

TEST_F(GraphWindows, WheelZoomsAboutThePointerAndDragsPan) {
    PGWindow plangraph(session());
    show(plangraph);
    handleMousePosition(px(30), py(40));
    ASSERT_EQ(hoveredElement, &plangraph);
    const ViewPoint pointerUnits{static_cast<float>(px(30)) / 8, static_cast<float>(py(40)) / 6};
    const ViewPoint under = screenToDrawing(plangraph.view, windowCorner, pointerUnits);
    handleMouseWheel(pointer.lastWheel + 1);
    EXPECT_FLOAT_EQ(plangraph.view.zoom, 1.1f);
    const ViewPoint still = screenToDrawing(plangraph.view, windowCorner, pointerUnits);
    EXPECT_NEAR(still.x, under.x, 1e-3);
    EXPECT_NEAR(still.y, under.y, 1e-3);
    handleMouseWheel(pointer.lastWheel - 1);
    EXPECT_NEAR(plangraph.view.zoom, 0.99f, 1e-5);

    // A left drag of 8 pixels (one unit) moves the drawing one screen unit.
    const float panX = plangraph.view.panX;
    handleMouseButton(0, 1);
    handleMousePosition(px(30) + 8, py(40));
    handleMouseButton(0, 0);
    EXPECT_NEAR(plangraph.view.panX, panX + 1 / plangraph.view.zoom, 1e-4);

    // A right drag zooms by the vertical movement: 6 pixels down is one step out.
    const float zoom = plangraph.view.zoom;
    handleMouseButton(1, 1);
    handleMousePosition(px(30) + 8, py(40) + 6);
    handleMouseButton(1, 0);
    EXPECT_NEAR(plangraph.view.zoom, zoom * 1.1f, 1e-4);
}

TEST_F(GraphWindows, BothGraphWindowsReadTheGraphplanSolversGraph) {
    PGWindow plangraph(session());
    IFWindow interference(session());
    EXPECT_EQ(&plangraph.session, &session());
    EXPECT_EQ(&interference.session, &session());
    EXPECT_EQ(plangraph.title, "Plangraph");
    EXPECT_EQ(interference.title, "Interference Table");
    EXPECT_FLOAT_EQ(interference.cellWidth, 2.25f);
    EXPECT_FLOAT_EQ(interference.cellHeight, 3);
}

TEST_F(GraphWindows, ANewGraphAndTheHomeKeyBringBackTheInitialView) {
    testing::freshSession();
    PGWindow plangraph(testing::session());
    show(plangraph);
    activeWindow = &plangraph;
    plangraph.view = {3, 40, -7};
    handleWindowKey(windowing::keyHome, windowing::actionPress);
    EXPECT_FLOAT_EQ(plangraph.view.zoom, ZoomPan{}.zoom);
    EXPECT_FLOAT_EQ(plangraph.view.panX, ZoomPan{}.panX);
    EXPECT_FLOAT_EQ(plangraph.view.panY, ZoomPan{}.panY);
    // Closed, it leaves Home to the command line.
    plangraph.view = {3, 40, -7};
    plangraph.shown = false;
    handleWindowKey(windowing::keyHome, windowing::actionPress);
    EXPECT_FLOAT_EQ(plangraph.view.zoom, 3);

    // The interference table with 100-character names opens on its top-left corner.
    IFWindow interference(testing::session());
    const std::string name(100, 'n');
    runLines({"type t", "atom t " + name, "pred " + name + "(t:a)", "op " + name + "(t:a)", "add " + name + " " +
              name + "(a)", "goal " + name + "(" + name + ")", "buildInst"});
    useFontMetrics(testing::syntheticFont());
    const float widest = textWidth(signatureText(*testing::session().instances.begin()->get()), 2);
    ASSERT_GT(widest, 100);
    interference.tableLeft = interferenceTable(widest, 1).left;
    interference.tableTop = interferenceTable(widest, 1).top;
    const ViewPoint corner = drawingToScreen(interference.initialView(), windowCorner,
                                             {interference.tableLeft, interference.tableTop});
    EXPECT_GT(corner.x, windowCorner.x);
    EXPECT_LT(corner.x, 100);
    EXPECT_GT(corner.y, windowCorner.y);
    EXPECT_LT(corner.y, 95.5f);
    const ViewPoint before = drawingToScreen(ZoomPan{}, windowCorner, {interference.tableLeft, interference.tableTop});
    EXPECT_GT(before.x, 100) << "the start view alone would leave the table off-screen";
    testing::freshSession();
}

class InterferenceTooltip : public testing::GuiTreeTest {
protected:
    void SetUp() override {
        testing::GuiTreeTest::SetUp();
        testing::freshSession();
        loadFile(session(), testing::sourcePath("examples/rocket.pln"));
        // Made after the fixture emptied the tree, so it joins the tree.
        window = std::make_unique<IFWindow>(session());
        show(*window);
        // Where drawSelf puts the table when every label measures 0.
        window->tableLeft = 2;
        window->tableTop = 2;
    }
    // Moves the pointer onto the middle of a cell (twice: entering sends no move).
    void pointAtCell(float column, float row) {
        const ViewPoint screen = drawingToScreen(window->view, windowCorner,
                                                 {2 + 2.25f * (column + 0.5f), 2 + 3 * (row + 0.5f)});
        handleMousePosition(px(screen.x) + 1, py(screen.y));
        handleMousePosition(px(screen.x), py(screen.y));
    }
    std::string tooltipText() {
        const auto* label = dynamic_cast<const Label*>(tooltip());
        return label ? label->text : std::string("(none)");
    }
    std::unique_ptr<IFWindow> window;
};

TEST_F(InterferenceTooltip, NamesTheColumnsActionThenTheRowsAction) {
    // Level 1 holds the no-ops of the initial facts in their order, then the
    // instances placed there in list order: fly(r,london,paris) is action 3.
    pointAtCell(3, 0);
    EXPECT_EQ(tooltipText(), "fly(r,london,paris)\nnop(at(a,london))\n");
    pointAtCell(0, 3);
    EXPECT_EQ(tooltipText(), "nop(at(a,london))\nfly(r,london,paris)\n");
    ASSERT_NE(tooltip(), nullptr);
    EXPECT_FLOAT_EQ(tooltip()->height, 4.25f);
    // The tooltip is not part of the tree.
    for (const GuiElement* child : guiRoot.children) EXPECT_NE(child, tooltip());
}

TEST_F(InterferenceTooltip, GoneOffTheTableAndWhenThePointerLeaves) {
    const auto actions = static_cast<float>(session().graph->actionNodes.size());
    pointAtCell(1, 1);
    ASSERT_NE(tooltip(), nullptr);
    pointAtCell(-0.6f, 1);
    EXPECT_EQ(tooltip(), nullptr) << "left of the table";
    pointAtCell(1, 1);
    pointAtCell(1, -0.6f);
    EXPECT_EQ(tooltip(), nullptr) << "above the table";
    pointAtCell(actions - 1, 1);
    ASSERT_NE(tooltip(), nullptr) << "last column";
    pointAtCell(actions, 1);
    EXPECT_EQ(tooltip(), nullptr) << "right of the table";
    pointAtCell(1, actions);
    EXPECT_EQ(tooltip(), nullptr) << "below the table";
    pointAtCell(1, 1);
    ASSERT_NE(tooltip(), nullptr);
    handleMousePosition(1, 300);  // left of the window
    EXPECT_EQ(tooltip(), nullptr) << "leaving the window";
}

TEST_F(InterferenceTooltip, NoTooltipOnceTheGraphIsGone) {
    runLines({"wipe"});
    pointAtCell(1, 1);
    EXPECT_EQ(tooltip(), nullptr);
}

}  // namespace
}  // namespace vexmolda

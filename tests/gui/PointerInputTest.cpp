#include "gui/PointerInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GuiTreeFixture.h"

namespace vexmolda {
namespace {

// Records the events it receives.
struct Recorder : GuiElement {
    using GuiElement::GuiElement;
    void onMouseEnter() override { events.push_back("enter"); }
    void onMouseLeave() override { events.push_back("leave"); }
    void onClick() override { events.push_back("click"); }
    void onScroll(float delta) override { events.push_back("scroll " + std::to_string(delta)); }
    void onMouseMove(float px, float py) override { events.push_back("move " + std::to_string(px) + " " + std::to_string(py)); }
    void onDrag(float dx, float dy) override { events.push_back("drag " + std::to_string(dx) + " " + std::to_string(dy)); }
    std::vector<std::string> events;
};

using Pointer = testing::GuiTreeTest;

TEST_F(Pointer, EnteringAnElementSendsLeaveAndEnterButNoMove) {
    Recorder left(0, 0, 10, 100, &guiRoot);
    Recorder right(10.5f, 0, 50, 100, &guiRoot);
    handleMousePosition(40, 300);  // 5 units across
    EXPECT_EQ(hoveredElement, &left);
    EXPECT_EQ(left.events, std::vector<std::string>{"enter"});
    handleMousePosition(48, 300);
    EXPECT_EQ(left.events.back(), "move 6.000000 50.000000");
    handleMousePosition(160, 300);
    EXPECT_EQ(hoveredElement, &right);
    EXPECT_EQ(left.events.back(), "leave");
    EXPECT_EQ(right.events, std::vector<std::string>{"enter"});
    // Outside every element the root is hovered.
    handleMousePosition(700, 300);
    EXPECT_EQ(hoveredElement, &guiRoot);
    EXPECT_EQ(right.events.back(), "leave");
}

TEST_F(Pointer, LeftDragSendsDeltasAndRightDragScrolls) {
    Recorder area(0, 0, 100, 100, &guiRoot);
    handleMousePosition(400, 300);
    handleMouseButton(0, 1);
    handleMousePosition(408, 306);
    EXPECT_EQ(area.events.back(), "drag 1.000000 1.000000");
    handleMouseButton(0, 0);
    handleMouseButton(1, 1);
    handleMousePosition(400, 294);
    EXPECT_EQ(area.events.back(), "scroll -2.000000");
    handleMouseButton(1, 0);
    handleMousePosition(400, 300);
    EXPECT_EQ(area.events.back(), "move 50.000000 50.000000");
}

TEST_F(Pointer, ClicksActOnPressOfTheLeftButtonOnly) {
    Recorder area(0, 0, 100, 100, &guiRoot);
    handleMousePosition(100, 100);
    area.events.clear();
    handleMouseButton(0, 1);
    EXPECT_EQ(area.events, std::vector<std::string>{"click"});
    handleMouseButton(0, 0);
    handleMouseButton(1, 1);
    handleMouseButton(1, 0);
    handleMouseButton(2, 1);
    EXPECT_EQ(area.events.size(), 1u);
    // Button numbers outside the table are ignored.
    handleMouseButton(8, 1);
    handleMouseButton(-1, 1);
    EXPECT_EQ(area.events.size(), 1u);
}

TEST_F(Pointer, WheelScrollsByTheChangeOfItsPosition) {
    Recorder area(0, 0, 100, 100, &guiRoot);
    handleMousePosition(100, 100);
    handleMouseWheel(1);
    EXPECT_EQ(area.events.back(), "scroll 1.000000");
    handleMouseWheel(-2);
    EXPECT_EQ(area.events.back(), "scroll -3.000000");
    handleMouseWheel(-2);
    EXPECT_EQ(area.events.back(), "scroll 0.000000");
}

TEST_F(Pointer, UnitsFollowTheWindowSize) {
    EXPECT_FLOAT_EQ(unitsX(800), 100);
    EXPECT_FLOAT_EQ(unitsY(300), 50);
    rememberWindowSize(400, 300);
    EXPECT_FLOAT_EQ(unitsX(100), 25);
    EXPECT_FLOAT_EQ(unitsY(150), 50);
    Recorder corner(0, 0, 10, 10, &guiRoot);
    handleMousePosition(39, 29);
    EXPECT_EQ(hoveredElement, &corner);
    EXPECT_FLOAT_EQ(pointerUnitsX(), 9.75f);
    EXPECT_FLOAT_EQ(pointerUnitsY(), 29.0f / 3.0f);
    // A minimised window reports a zero size; the last real one stays in use.
    rememberWindowSize(0, 0);
    EXPECT_FLOAT_EQ(unitsX(100), 25);
    EXPECT_FLOAT_EQ(unitsY(150), 50);
}

}  // namespace
}  // namespace vexmolda

#include <gtest/gtest.h>

#include "GuiTreeFixture.h"
#include "SyntheticFont.h"
#include <string>

#include "command/Session.h"
#include "gui/AppWindow.h"
#include "gui/Button.h"
#include "gui/CommandLine.h"
#include "gui/ERRButton.h"
#include "gui/Font.h"
#include "gui/Label.h"
#include "gui/OCButton.h"
#include "gui/RegButton.h"
#include "gui/Tooltip.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using HitTest = testing::GuiTreeTest;
using WindowSlide = testing::GuiTreeTest;
using Widgets = testing::GuiTreeTest;

TEST_F(HitTest, EdgesBelongToTheElement) {
    GuiElement box(10, 20, 30, 40, &guiRoot);
    EXPECT_EQ(guiRoot.hitTest(10, 20), &box);
    EXPECT_EQ(guiRoot.hitTest(40, 60), &box);
    EXPECT_EQ(guiRoot.hitTest(40.01f, 30), &guiRoot);
    EXPECT_EQ(guiRoot.hitTest(9.99f, 30), &guiRoot);
    EXPECT_EQ(guiRoot.hitTest(20, 60.01f), &guiRoot);
    EXPECT_EQ(guiRoot.hitTest(100.5f, 50), nullptr);
    EXPECT_EQ(guiRoot.hitTest(-0.5f, 50), nullptr);
}

TEST_F(HitTest, ChildrenAreRelativeAndTheLastCreatedWins) {
    GuiElement outer(10, 10, 50, 50, &guiRoot);
    GuiElement first(5, 5, 20, 20, &outer);
    GuiElement second(15, 15, 20, 20, &outer);
    EXPECT_EQ(guiRoot.hitTest(16, 16), &first);
    // (30, 30) lies in both; the later one is on top.
    EXPECT_EQ(guiRoot.hitTest(30, 30), &second);
    EXPECT_EQ(guiRoot.hitTest(44, 44), &second);
    EXPECT_EQ(guiRoot.hitTest(58, 58), &outer);
    GuiElement leaf(0, 0, 1, 1);
    EXPECT_EQ(leaf.hitTest(0.5f, 0.5f), &leaf);
}

TEST_F(HitTest, ClosedWindowsTakeNoClicksButOpenOnesDoAtTheirRestingPlace) {
    Window window("W", 2.65f, 0.1f, 97.25f, 99.8f);
    EXPECT_EQ(guiRoot.hitTest(50, 50), &guiRoot);
    window.open();
    // Still sliding in: not yet shown.
    EXPECT_EQ(guiRoot.hitTest(50, 50), &guiRoot);
    window.update(0.1f);
    EXPECT_EQ(guiRoot.hitTest(50, 50), &guiRoot);
    window.update(0.2f);
    EXPECT_EQ(guiRoot.hitTest(50, 50), &window);
    window.close();
    window.update(0.1f);
    // Sliding out, half way: clicks still land on the resting rectangle.
    EXPECT_FLOAT_EQ(window.slide, 0.5f);
    EXPECT_EQ(guiRoot.hitTest(3, 50), &window);
}

TEST_F(WindowSlide, OpensInAFifthOfASecondAndClosesAgain) {
    Window window("W", 2, 0, 50, 50);
    EXPECT_FALSE(window.visible());
    window.open();
    EXPECT_TRUE(window.animating);
    EXPECT_FALSE(window.shown);
    EXPECT_EQ(activeWindow, &window);
    window.update(0.1f);
    EXPECT_FLOAT_EQ(window.slide, 0.5f);
    window.update(0.15f);
    EXPECT_FLOAT_EQ(window.slide, 1);
    EXPECT_TRUE(window.shown);
    EXPECT_FALSE(window.animating);
    window.open();
    EXPECT_FALSE(window.animating);
    window.close();
    EXPECT_TRUE(window.animating);
    EXPECT_TRUE(window.shown);
    window.update(0.3f);
    EXPECT_FLOAT_EQ(window.slide, 0);
    EXPECT_FALSE(window.shown);
    EXPECT_FALSE(window.animating);
}

TEST_F(WindowSlide, TogglingDuringASlideReversesIt) {
    Window window("W", 2, 0, 50, 50);
    window.toggle();
    window.update(0.1f);
    window.update(0.1f);
    ASSERT_TRUE(window.shown);
    window.toggle();  // slide out
    window.update(0.05f);
    EXPECT_FLOAT_EQ(window.slide, 0.75f);
    window.toggle();  // reversed: slides in again
    EXPECT_FALSE(window.shown);
    EXPECT_TRUE(window.animating);
    window.update(0.05f);
    EXPECT_FLOAT_EQ(window.slide, 1);
    EXPECT_TRUE(window.shown);
    window.toggle();
    window.update(0.1f);
    window.toggle();  // reversed while sliding out
    window.toggle();  // and back out again
    window.update(0.2f);
    EXPECT_FLOAT_EQ(window.slide, 0);
    EXPECT_FALSE(window.visible());
}

TEST_F(WindowSlide, OpeningAnotherWindowSlidesTheActiveOneOut) {
    Window a("A", 2, 0, 50, 50);
    Window b("B", 2, 0, 50, 50);
    a.open();
    a.update(0.2f);
    ASSERT_TRUE(a.shown);
    b.open();
    EXPECT_EQ(activeWindow, &b);
    EXPECT_TRUE(a.animating);
    guiRoot.update(0.1f);
    EXPECT_FLOAT_EQ(a.slide, 0.5f);
    EXPECT_FLOAT_EQ(b.slide, 0.5f);
    // Toggling A while it slides out only reverses A: both end up open.
    a.toggle();
    guiRoot.update(0.2f);
    EXPECT_TRUE(a.shown);
    EXPECT_TRUE(b.shown);
    EXPECT_EQ(activeWindow, &b);
    // They overlap; the one created later takes the clicks.
    EXPECT_EQ(guiRoot.hitTest(20, 20), &b);
}

TEST_F(WindowSlide, OpeningASlidingOutWindowReversesIt) {
    Window window("W", 2, 0, 50, 50);
    window.open();
    window.update(0.2f);
    window.close();
    window.update(0.1f);
    window.open();
    EXPECT_FALSE(window.shown);
    EXPECT_TRUE(window.animating);
    window.update(0.1f);
    EXPECT_TRUE(window.shown);
    // Closing a window that slides in reverses it too.
    window.close();
    window.open();
    window.close();
    EXPECT_TRUE(window.animating);
}

TEST_F(WindowSlide, DrawingPositionSlidesInFromTheLeftEdge) {
    EXPECT_FLOAT_EQ(slidX(2.65f, 97.25f, 0), -97.25f);
    EXPECT_FLOAT_EQ(slidX(2.65f, 97.25f, 1), 2.65f);
    EXPECT_FLOAT_EQ(slidX(2, 50, 0.5f), 1 - 25);
    // Wholly left of the area while closed.
    EXPECT_LE(slidX(2.65f, 97.25f, 0) + 97.25f, 0);
}

TEST_F(WindowSlide, UpdateReachesChildrenWhetherAnimatingOrNot) {
    struct Counter : GuiElement {
        using GuiElement::GuiElement;
        void update(float dt) override { total += dt; }
        float total = 0;
    };
    Window window("W", 2, 0, 50, 50);
    Counter counter(0, 0, 1, 1, &window);
    guiRoot.update(0.25f);
    window.open();
    guiRoot.update(0.5f);
    EXPECT_FLOAT_EQ(counter.total, 0.75f);
}

TEST_F(Widgets, ConstructionOrderIsDrawingOrderAndColoursStartAsGiven) {
    GuiElement plain(0, 0, 1, 1, &guiRoot);
    Button button("B", 0, 0, 2.5f, 10);
    Window window("W", 2, 0, 50, 50);
    RegButton inside(&window, "Go", 25, 1.2f, 17, 3);
    ASSERT_EQ(guiRoot.children.size(), 3u);
    EXPECT_EQ(guiRoot.children[0], &plain);
    EXPECT_EQ(guiRoot.children[1], &button);
    EXPECT_EQ(guiRoot.children[2], &window);
    ASSERT_EQ(window.children.size(), 1u);
    EXPECT_EQ(window.children[0], &inside);
    EXPECT_EQ(plain.color.r, 0);
    EXPECT_EQ(button.color.r, 180);
    EXPECT_EQ(button.color.b, 180);
    EXPECT_EQ(inside.color.g, 180);
    EXPECT_EQ(window.title, "W");
}

TEST_F(Widgets, TabButtonsToggleTheirWindowAndTheMessagesFlag) {
    Window window("W", 2, 0, 50, 50);
    OCButton tab(&window, "Tab", 0, 0, 2.5f, 15);
    tab.onClick();
    EXPECT_TRUE(window.animating);
    EXPECT_EQ(activeWindow, &window);
    // A second click during the slide-in reverses it.
    tab.onClick();
    window.update(0.01f);
    EXPECT_FALSE(window.visible());
    ERRButton messagesTab("^^", 0, 94, 2.5f, 6.1f);
    const bool before = showMessages;
    messagesTab.onClick();
    EXPECT_NE(showMessages, before);
    messagesTab.onClick();
    EXPECT_EQ(showMessages, before);
}

TEST_F(Widgets, LabelIsAsWideAsItsTextPlusOne) {
    useFontMetrics(testing::syntheticFont());
    Label label("abcd", 0, 0, 0, 4.25f);
    // Four glyphs of 2 font units at size 1.75 / 4 each.
    EXPECT_FLOAT_EQ(label.width, 4 * 2 * 1.75f / 4 + 1);
    EXPECT_EQ(label.color.r, 255);
    EXPECT_EQ(label.color.b, 128);
    useFontMetrics(GlfFont{});
    Label unmeasured("abcd", 0, 0, 5, 4.25f);
    EXPECT_FLOAT_EQ(unmeasured.width, 0);
}

TEST_F(Widgets, TooltipIsTakenOutOfTheTreeAndReplaced) {
    Label* first = new Label("one", 0, 0, 0, 4.25f);
    ASSERT_EQ(guiRoot.children.back(), first);
    setTooltip(first);
    EXPECT_TRUE(guiRoot.children.empty());
    EXPECT_EQ(tooltip(), first);
    // The tooltip is never hit.
    EXPECT_EQ(guiRoot.hitTest(0.1f, 0.1f), &guiRoot);
    Label* second = new Label("two", 0, 0, 0, 4.25f);
    setTooltip(second);
    EXPECT_EQ(tooltip(), second);
    EXPECT_TRUE(guiRoot.children.empty());
    setTooltip(second);
    EXPECT_EQ(tooltip(), second);
    setTooltip(nullptr);
    EXPECT_EQ(tooltip(), nullptr);
}

TEST_F(Widgets, TooltipsStayWholeInsideTheDrawingAreaAboveThePanel) {
    const float panel = panelTop(true, 2);
    // In the open: 4 below the pointer, at its x.
    TooltipPlace place = tooltipPlace(30, 40, 20, 4.25f, panel);
    EXPECT_FLOAT_EQ(place.x, 30);
    EXPECT_FLOAT_EQ(place.y, 44);
    // Near the right edge it hangs to the left of the pointer, near the panel above it.
    place = tooltipPlace(90, panel - 3, 20, 4.25f, panel);
    EXPECT_FLOAT_EQ(place.x, 70);
    EXPECT_LE(place.y + 4.25f, panel - 3) << "above the pointer";
    // Wider than the area: its start stays in view.
    place = tooltipPlace(50, 10, 130, 4.25f, panel);
    EXPECT_FLOAT_EQ(place.x, 0);
    for (float px = 0; px <= 100; px += 12.5f) {
        for (float py = 0; py <= panel; py += 7.5f) {
            place = tooltipPlace(px, py, 35, 4.25f, panel);
            EXPECT_GE(place.x, 0);
            EXPECT_LE(place.x + 35, 100);
            EXPECT_GE(place.y, 0);
            EXPECT_LE(place.y + 4.25f, panel);
        }
    }
}

TEST_F(Widgets, TheWheelOverTheMessagePanelScrollsTheMessages) {
    CommandRunner runner(testing::session());
    attachSession(testing::session(), runner);
    testing::session().messages.clear();
    for (int i = 0; i < 61; ++i) testing::session().messages.append("message " + std::to_string(i) + "\n");
    showMessages = true;
    messageScroll() = {0, testing::session().messages.contentStamp()};
    GuiElement behind(0, 0, 100, 100, &guiRoot);
    // Over the panel (its top is at 50.5 for 18 of the 61 lines), wheel down three notches.
    handleMousePosition(400, static_cast<int>(70 * 6));
    handleWindowWheel(pointer.lastWheel - 3);
    EXPECT_EQ(messageScroll().firstLine, 3u);
    for (int i = 0; i < 30; ++i) handleWindowWheel(pointer.lastWheel - 3);
    EXPECT_EQ(messageScroll().firstLine, 61u - panelLineLimit) << "the last message is reached";
    // Above the panel the wheel goes to the element under the pointer.
    handleMousePosition(400, static_cast<int>(20 * 6));
    handleWindowWheel(pointer.lastWheel + 1);
    EXPECT_EQ(messageScroll().firstLine, 61u - panelLineLimit);
    testing::session().messages.clear();
    messageScroll() = {};
}

}  // namespace
}  // namespace vexmolda

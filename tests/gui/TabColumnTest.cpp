#include "gui/TabColumn.h"

#include <gtest/gtest.h>

#include "GuiTreeFixture.h"
#include "gui/AppWindow.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using TabColumn = testing::GuiTreeTest;

TEST_F(TabColumn, SixTabsFillTheLeftEdgeWithoutGapsOrOverlaps) {
    float y = 0;
    for (const TabPlace& place : tabPlaces) {
        EXPECT_FLOAT_EQ(place.y, y) << place.label;
        y += place.height;
    }
    EXPECT_NEAR(y, 100.1f, 1e-4f);
}

TEST_F(TabColumn, EachWindowTabTogglesItsOwnWindow) {
    CommandRunner runner(testing::session());
    const WindowSet windows = createWidgets(testing::session(), runner);
    ASSERT_EQ(guiRoot.children.size(), 11u);
    // Windows first, in drawing order, then the tabs on top of them.
    EXPECT_EQ(guiRoot.children[0], windows.domain);
    EXPECT_EQ(guiRoot.children[1], windows.instances);
    EXPECT_EQ(guiRoot.children[2], windows.interference);
    EXPECT_EQ(guiRoot.children[3], windows.plangraph);
    EXPECT_EQ(guiRoot.children[4], windows.log);
    EXPECT_EQ(windows.domain->title, "Domain Information");
    EXPECT_EQ(windows.instances->title, "Operator Instances");
    EXPECT_EQ(windows.plangraph->title, "Plangraph");
    EXPECT_EQ(windows.interference->title, "Interference Table");
    EXPECT_EQ(windows.log->title, "Log");

    const std::pair<float, Window*> expected[] = {{5, windows.domain},
                                                  {20, windows.instances},
                                                  {40, windows.plangraph},
                                                  {60, windows.interference},
                                                  {90, windows.log}};
    for (const auto& [y, window] : expected) {
        auto* tab = dynamic_cast<OCButton*>(guiRoot.hitTest(1, y));
        ASSERT_NE(tab, nullptr) << y;
        EXPECT_EQ(tab->target, window) << tab->label;
        EXPECT_FLOAT_EQ(tab->width, 2.5f);
    }
    auto* messagesTab = dynamic_cast<ERRButton*>(guiRoot.hitTest(1, 97));
    ASSERT_NE(messagesTab, nullptr);
    EXPECT_EQ(messagesTab->label, "^^");
    EXPECT_EQ(dynamic_cast<OCButton*>(guiRoot.hitTest(1, 15))->label, "Instances");

    // Once open, a window takes the clicks beside the tabs.
    windows.domain->open();
    guiRoot.update(1);
    ASSERT_TRUE(windows.domain->shown);
    EXPECT_NE(dynamic_cast<OCButton*>(guiRoot.hitTest(2.5f, 10)), nullptr);
    EXPECT_EQ(guiRoot.hitTest(50, 50), windows.domain);
    windows.log->open();
    guiRoot.update(1);
    EXPECT_FALSE(windows.domain->visible());
    EXPECT_EQ(activeWindow, windows.log);
}

}  // namespace
}  // namespace vexmolda

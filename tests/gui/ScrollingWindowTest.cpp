#include <gtest/gtest.h>

#include "GuiTreeFixture.h"
#include "command/LoadFile.h"
#include "gui/CommandRunner.h"
#include "grounding/OperationInstance.h"
#include <algorithm>
#include <chrono>
#include <thread>

#include "SyntheticFont.h"
#include "gui/AppWindow.h"
#include "gui/DMWindow.h"
#include "gui/Font.h"
#include "gui/InstanceButtons.h"
#include "gui/LogWindow.h"
#include "gui/OIWindow.h"
#include "support/Session.h"

using vexmolda::testing::runLines;
using vexmolda::testing::session;

namespace vexmolda {
namespace {

using TextWindows = testing::GuiTreeTest;

// Runs a window action at once, its long job inline.
void runAtOnce(const WindowAction& action, const std::string&) {
    if (std::unique_ptr<LongJob> job = action()) {
        job->run();
        job->finish();
    }
}

// The instances window whose buttons act at once.
class InstancesWindow : public OIWindow {
public:
    InstancesWindow() : OIWindow(testing::session(), runAtOnce) {}
};

// Pixels of the default 800 x 600 window for screen units.
int px(float units) { return static_cast<int>(units * 8); }
int py(float units) { return static_cast<int>(units * 6); }

TEST_F(TextWindows, WheelMovesFiveUnitsPerNotchAndStopsAtTheTop) {
    // Without a font nothing is measured or shown, and nothing limits the scroll downwards.
    useFontMetrics(GlfFont{});
    DMWindow domain(session());
    LogWindow logWindow(session());
    InstancesWindow instances;
    for (ScrollingWindow* window : std::initializer_list<ScrollingWindow*>{&domain, &logWindow, &instances}) {
        window->onScroll(-1);
        EXPECT_FLOAT_EQ(window->scroll, -5) << window->title;
        window->onScroll(-2.5f);
        EXPECT_FLOAT_EQ(window->scroll, -17.5f);
        window->onDrag(40, 3);
        EXPECT_FLOAT_EQ(window->scroll, -14.5f) << "dx is ignored";
        window->onScroll(100);
        EXPECT_FLOAT_EQ(window->scroll, 0) << "never below the start";
    }
}

TEST_F(TextWindows, TheHomeKeyBringsAnOpenTextWindowBackToItsTop) {
    useFontMetrics(GlfFont{});
    DMWindow domain(session());
    LogWindow logWindow(session());
    InstancesWindow instances;
    for (ScrollingWindow* window : std::initializer_list<ScrollingWindow*>{&domain, &logWindow, &instances}) {
        window->shown = true;
        activeWindow = window;
        window->onScroll(-4);
        handleWindowKey(windowing::keyHome, windowing::actionPress);
        EXPECT_FLOAT_EQ(window->scroll, 0) << window->title;
        // Closed, it leaves Home to the command line.
        window->onScroll(-4);
        window->shown = false;
        handleWindowKey(windowing::keyHome, windowing::actionPress);
        EXPECT_FLOAT_EQ(window->scroll, -20) << window->title;
    }
    activeWindow = nullptr;
}

TEST_F(TextWindows, TheDomainWindowFollowsEveryChangeOfTheDomainItShows) {
    testing::freshSession();
    useFontMetrics(testing::syntheticFont());
    DMWindow domain(session());
    std::vector<std::string> lines{"pred p"};
    for (int i = 0; i < 40; ++i) lines.push_back("op o" + std::to_string(i));
    runLines(lines);
    domain.onScroll(-1000);
    const float scrolledToEnd = domain.scroll;
    ASSERT_LT(scrolledToEnd, 0) << "the operations reach below the view";
    // A long list on an existing operation wraps into more rows: the end lies further down.
    std::string atoms = "atom t";
    for (int i = 0; i < 20; ++i) atoms += " a" + std::to_string(i);
    runLines({"type t", atoms, "pred q(t:x)"});
    // "pre" replaces the list: the change shows in the content, not in any count of operations.
    std::string pre = "pre o39";
    for (int i = 0; i < 20; ++i) pre += " q(a" + std::to_string(i) + ")";
    runLines({pre});
    ASSERT_EQ(session().model.operations.find("o39")->pre.size(), 20u) << testing::messageText();
    domain.onScroll(-1000);
    EXPECT_LT(domain.scroll, scrolledToEnd) << "the window showed the domain before the change";
}

TEST_F(TextWindows, ScrollingStopsAtTheContentAndReplacedContentStartsAtTheTop) {
    testing::freshSession();
    useFontMetrics(testing::syntheticFont());
    LogWindow logWindow(testing::session());
    for (int i = 0; i < 12; ++i) testing::session().log.append("line " + std::to_string(i) + "\n");
    logWindow.onScroll(-10);
    EXPECT_FLOAT_EQ(logWindow.scroll, 0) << "a log that fits stays in view";
    for (int i = 12; i < 200; ++i) testing::session().log.append("line " + std::to_string(i) + "\n");
    logWindow.onScroll(-1000);
    // The last line's bottom sits at the bottom of the view.
    EXPECT_FLOAT_EQ(logWindow.scroll, logWindow.viewHeight() - (1.5f + 2 * 200));
    float top = 0;
    const std::string shown = logWindow.shownText(top);
    EXPECT_EQ(shown.substr(shown.size() - 9), "line 199\n");
    logWindow.onScroll(1000);
    EXPECT_FLOAT_EQ(logWindow.scroll, 0);
    logWindow.onScroll(-20);
    testing::session().log.clear();  // as a solve or a wipe does
    testing::session().log.append("new\n");
    logWindow.onDrag(0, 0);
    EXPECT_FLOAT_EQ(logWindow.scroll, 0);

    // 650 instances scrolled to their end; a load of another file starts at the top.
    std::string atoms = "atom t";
    for (char name = 'A'; name <= 'Z'; ++name) atoms += std::string(" ") + name;
    runLines({"type t", atoms, "pred p(t:x, t:y)", "op o(t:x, t:y)", "add o p(x,y)", "buildInst"});
    ASSERT_EQ(testing::session().instances.size(), 650u) << testing::messageText();
    InstancesWindow instances;
    instances.onScroll(-1000);
    const float lastRowsAtTheBottom = instances.scroll;
    EXPECT_LT(lastRowsAtTheBottom, 0);
    EXPECT_GT(lastRowsAtTheBottom, -1000) << "stops where the last row reaches the bottom";
    loadFile(testing::session(), testing::sourcePath("examples/rocket.pln"));
    instances.onDrag(0, 0);
    EXPECT_FLOAT_EQ(instances.scroll, 0);
    DMWindow domain(testing::session());
    domain.onScroll(-10);
    EXPECT_FLOAT_EQ(domain.scroll, 0) << "the cargo domain fits";
    testing::freshSession();
}

TEST_F(TextWindows, TheLogWindowTakesOnlyTheRowsInViewOfALongLog) {
    testing::freshSession();
    useFontMetrics(testing::syntheticFont());
    for (int i = 0; i < 300000; ++i) testing::session().log.append("step " + std::to_string(i) + "\n");
    LogWindow logWindow(testing::session());
    logWindow.onScroll(-100000);  // half a million units down
    float top = 0;
    const std::string shown = logWindow.shownText(top);
    const auto rows = static_cast<std::size_t>(std::count(shown.begin(), shown.end(), '\n'));
    EXPECT_LE(rows, 52u) << "one screen of rows, not the log";
    EXPECT_GE(rows, 49u);
    // The first row shown is the one at the top edge of the window.
    const auto firstRow = static_cast<int>((top - 1.5f) / 2);
    EXPECT_LE(top + logWindow.scroll, 0);
    EXPECT_GT(top + logWindow.scroll + 2, 0);
    EXPECT_EQ(shown.substr(0, shown.find('\n') + 1), "step " + std::to_string(firstRow) + "\n");
    testing::freshSession();
}

TEST_F(TextWindows, PointerDragsAndRightDragsScrollTheHoveredWindow) {
    useFontMetrics(GlfFont{});
    LogWindow logWindow(session());
    logWindow.shown = true;
    logWindow.slide = 1;
    handleMousePosition(px(50), py(50));
    ASSERT_EQ(hoveredElement, &logWindow);
    handleMouseButton(0, 1);
    handleMousePosition(px(50), py(50) - 12);  // 2 units up
    EXPECT_FLOAT_EQ(logWindow.scroll, -2);
    handleMouseButton(0, 0);
    // The right button scrolls by 5 per unit of vertical movement.
    handleMouseButton(1, 1);
    handleMousePosition(px(50), py(50) - 18);
    EXPECT_FLOAT_EQ(logWindow.scroll, -7);
    handleMouseButton(1, 0);
    handleMouseWheel(pointer.lastWheel + 1);
    EXPECT_FLOAT_EQ(logWindow.scroll, -2);
}

TEST_F(TextWindows, LogTextIsTheLogThenThePlan) {
    testing::freshSession();
    EXPECT_EQ(logWindowText(session()), "");
    session().log.append("first\n");
    session().log.append("second\n");
    EXPECT_EQ(logWindowText(session()), "first\nsecond\n");
    loadFile(session(), testing::sourcePath("examples/rocket.pln"));
    const std::string text = logWindowText(session());
    const std::string tail =
        "\n\n\n\nSolution:\n\n1: load(a,r,london), load(b,r,london)\n2: fly(r,london,paris)\n"
        "3: unload(a,r,paris), unload(b,r,paris)\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_EQ(text.substr(0, text.size() - tail.size()), session().log.text());
}

TEST_F(TextWindows, InstanceButtonsSitOnTheWindowAndFlipTheSwitches) {
    testing::freshSession();
    InstancesWindow instances;
    instances.shown = true;
    instances.slide = 1;
    ASSERT_EQ(instances.children.size(), 4u);
    EXPECT_EQ(static_cast<Button*>(instances.children[0])->label, "Build Instances");
    EXPECT_EQ(static_cast<Button*>(instances.children[3])->label, "Filter Redundant");

    // "Filter Redundant" spans x 77..95 and y 1.2..4.2 of the window at (2.65, 0.1).
    handleMousePosition(px(2.65f + 86), py(0.1f + 2.7f));
    ASSERT_EQ(hoveredElement, instances.children[3]);
    Switches& switches = session().switches;
    switches.dirty = false;
    handleMouseButton(0, 1);
    EXPECT_FALSE(switches.filterReds);
    EXPECT_FALSE(switches.dirty) << "only commands reprint the report";
    handleMouseButton(0, 0);
    EXPECT_FALSE(switches.filterReds) << "a release does nothing";

    instances.constraintsButton->onClick();
    EXPECT_TRUE(switches.ignConst);
    instances.duplicatesButton->onClick();
    EXPECT_FALSE(switches.noDups);
    instances.duplicatesButton->onClick();
    EXPECT_TRUE(switches.noDups);
    // A drag over the buttons does not scroll the list.
    handleMouseButton(0, 1);
    handleMousePosition(px(2.65f + 86) + 2, py(0.1f + 2.7f) - 6);
    EXPECT_FLOAT_EQ(instances.scroll, 0);
    handleMouseButton(0, 0);
}

TEST_F(TextWindows, ButtonsClickedDuringALoadActInTheirTurnOnTheLoadedDomain) {
    testing::freshSession();
    const std::string file = testing::writeTempFile("swap.pln",
                                                    "type t\natom t x y\npred linked(t:a, t:b)\nop swap(t:a, t:b)\n"
                                                    "add swap linked(a,b) linked(b,a)\nnoDups on\nfilterReds off\n");
    CommandRunner runner(session());
    OIWindow instances(session(), [&runner](WindowAction action, std::string description) {
        runner.submitAction(std::move(action), std::move(description));
    });
    runner.submitLine("file " + file);
    // Clicked while the load waits or runs: the filter goes on after it, then the build.
    instances.redundantButton->onClick();
    instances.buildButton->onClick();
    EXPECT_EQ(runner.waiting(), 3u) << "nothing runs before its turn";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while ((runner.busy() || runner.waiting() > 0) && std::chrono::steady_clock::now() < deadline) {
        runner.finishEndedWork();
        runner.runNext();
        std::this_thread::yield();
    }
    ASSERT_FALSE(runner.busy() || runner.waiting() > 0);
    EXPECT_TRUE(session().switches.filterReds) << "the click was not undone by the load";
    EXPECT_TRUE(session().switches.noDups);
    // swap(x,y) and swap(y,x): the filter keeps one; built with the loaded switches.
    ASSERT_EQ(session().instances.size(), 1u) << testing::messageText();
}

TEST_F(TextWindows, TogglesAreDarkWhileTheirFeatureIsInForce) {
    EXPECT_EQ(toggleShade(true).r, 128);
    EXPECT_EQ(toggleShade(false).r, 220);
    EXPECT_EQ(toggleShade(false).b, 220);
}

TEST_F(TextWindows, BuildInstancesRebuildsAndDropsTheGraphAndThePlanSteps) {
    testing::freshSession();
    loadFile(session(), testing::sourcePath("examples/rocket.pln"));
    ASSERT_TRUE(session().graph && !session().graph->factLevelEnd.empty());
    ASSERT_NE(session().currentPlan, nullptr);
    InstancesWindow instances;
    // With duplicates allowed fly(r,london,london) and fly(r,paris,paris) join.
    instances.duplicatesButton->onClick();
    EXPECT_EQ(session().instances.size(), 8u) << "the switch alone builds nothing";
    instances.buildButton->onClick();
    EXPECT_EQ(session().instances.size(), 10u);
    // Nothing is left that refers to the old instances.
    EXPECT_EQ(session().graph, nullptr);
    EXPECT_EQ(session().currentPlan->toString(), "");
}

}  // namespace
}  // namespace vexmolda

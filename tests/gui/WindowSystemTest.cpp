#include <gtest/gtest.h>

#include <GLFW/glfw3.h>

#include "gui/FramePacer.h"
#include "gui/GlfwAdapter.h"
#include "gui/IdleWait.h"
#include "gui/WindowGeometry.h"

namespace vexmolda {
namespace {

using namespace windowing;

TEST(WindowSystemAdapter, EditingKeysMapToTheCodesTheEditorKnows) {
    EXPECT_EQ(mapKey(GLFW_KEY_ENTER), keyEnter);
    EXPECT_EQ(mapKey(GLFW_KEY_KP_ENTER), keyKeypadEnter);
    EXPECT_EQ(mapKey(GLFW_KEY_UP), keyUp);
    EXPECT_EQ(mapKey(GLFW_KEY_DOWN), keyDown);
    EXPECT_EQ(mapKey(GLFW_KEY_LEFT), keyLeft);
    EXPECT_EQ(mapKey(GLFW_KEY_RIGHT), keyRight);
    EXPECT_EQ(mapKey(GLFW_KEY_BACKSPACE), keyBackspace);
    EXPECT_EQ(mapKey(GLFW_KEY_DELETE), keyDelete);
    EXPECT_EQ(mapKey(GLFW_KEY_A), 'A');
    EXPECT_EQ(mapKey(GLFW_KEY_SPACE), ' ');
    EXPECT_EQ(mapKey(GLFW_KEY_F13), keyUnknown);
    // No editing key may collide with a printable code.
    for (int key : {keyEnter, keyKeypadEnter, keyUp, keyDown, keyLeft, keyRight, keyBackspace, keyDelete})
        EXPECT_GE(key, 256);
}

TEST(WindowSystemAdapter, RepeatsArePressesOnlyWithKeyRepeatOn) {
    EXPECT_EQ(mapKeyAction(GLFW_PRESS, false), actionPress);
    EXPECT_EQ(mapKeyAction(GLFW_RELEASE, false), actionRelease);
    EXPECT_EQ(mapKeyAction(GLFW_REPEAT, true), actionPress);
    EXPECT_EQ(mapKeyAction(GLFW_REPEAT, false), -1);
}

TEST(WindowSystemAdapter, CharactersBecomeTheirUtf8Bytes) {
    EXPECT_EQ(mapCharacter('a'), "a");
    EXPECT_EQ(mapCharacter(0xE9), "\xC3\xA9");
    EXPECT_EQ(mapCharacter(0xFF), "\xC3\xBF");
    // U+0161 must not become 0x61 ("a"), as a cut to one byte would make it.
    EXPECT_EQ(mapCharacter(0x161), "\xC5\xA1");
    EXPECT_EQ(mapCharacter(0x263A), "\xE2\x98\xBA");
    EXPECT_EQ(mapCharacter(0x1F600), "\xF0\x9F\x98\x80");
    EXPECT_EQ(mapCharacter(0xD800), "") << "a lone surrogate is no character";
    EXPECT_EQ(mapCharacter(0x110000), "");
}

TEST(WindowSize, EventsMoveTheViewportAndThePointerScaleButNeverTheWindow) {
    WindowGeometry geometry;
    // A burst of resizes as a user's drag gives them: each is followed as given.
    for (int width = 700; width <= 900; width += 10) {
        const WindowSizes event{width, 500, width, 500};
        geometry = followWindowSize(geometry, event);
        EXPECT_EQ(geometry, (WindowGeometry{width, 500, width, 500}));
    }
    // A high-density screen: the viewport covers the framebuffer, the pointer
    // keeps the window's screen coordinates.
    geometry = followWindowSize(geometry, {800, 600, 1600, 1200});
    EXPECT_EQ(geometry, (WindowGeometry{1600, 1200, 800, 600}));
    geometry = followWindowSize(geometry, {40000, 600, 40000, 600});
    EXPECT_EQ(geometry.viewportWidth, 40000);
    // Minimised: nothing to divide by zero, the last size stays.
    geometry = followWindowSize(geometry, {0, 0, 0, 0});
    EXPECT_EQ(geometry, (WindowGeometry{40000, 600, 40000, 600}));
}

TEST(IdleLoop, WaitsForEventsOnlyWhenNothingMovesAndDrawsWhenAnyCame) {
    EXPECT_TRUE(shouldWaitForEvents({}));
    LoopActivity first;
    first.framePending = true;
    EXPECT_FALSE(shouldWaitForEvents(first)) << "the first frame is drawn at once";
    LoopActivity sliding;
    sliding.windowSliding = true;
    EXPECT_FALSE(shouldWaitForEvents(sliding)) << "a slide runs on without input";
    EXPECT_TRUE(shouldDrawFrame(false, 5, 5)) << "a polled pass always draws";
    EXPECT_TRUE(shouldDrawFrame(true, 5, 6)) << "input or exposure after a wait is drawn at once";
    EXPECT_FALSE(shouldDrawFrame(true, 5, 5)) << "a wait that timed out draws nothing";
    EXPECT_GT(idleWaitSeconds, 0);
}

TEST(FramePacing, SleepsTheRestOfTheFrameAndNeverWhenLate) {
    EXPECT_DOUBLE_EQ(frameSleepSeconds(10.0, 10.0, 0.02), 0.02);
    EXPECT_NEAR(frameSleepSeconds(10.0, 10.005, 0.02), 0.015, 1e-12);
    EXPECT_DOUBLE_EQ(frameSleepSeconds(10.0, 10.03, 0.02), 0);
    EXPECT_DOUBLE_EQ(frameSleepSeconds(10.0, 11.0, 0.02), 0);
    EXPECT_DOUBLE_EQ(frameSleepSeconds(10.0, 9.0, 0.02), 0);
    EXPECT_NEAR(framePeriod, 1.0 / 60.0, 1e-12);
}

}  // namespace
}  // namespace vexmolda

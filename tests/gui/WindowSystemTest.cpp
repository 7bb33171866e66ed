#include <gtest/gtest.h>

#include <GLFW/glfw3.h>

#include "gui/FramePacer.h"
#include "gui/GlfwAdapter.h"

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

TEST(WindowSystemAdapter, CharactersBeyondOneByteAreDroppedNotCut) {
    EXPECT_EQ(mapCharacter('a'), 'a');
    EXPECT_EQ(mapCharacter(0xE9), 0xE9);
    EXPECT_EQ(mapCharacter(0xFF), 0xFF);
    // U+0161 would become 0x61 ("a") if cut to a byte.
    EXPECT_EQ(mapCharacter(0x161), -1);
    EXPECT_EQ(mapCharacter(0x1F600), -1);
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

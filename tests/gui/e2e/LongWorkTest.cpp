// Long work beside the window: a solve, a grounding and a file load run while
// the tabs, the panel and the command line stay live; a solve shows its
// progress, work stops on Escape, and the lines typed meanwhile run after it.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "ProgramSession.h"

namespace {

namespace fs = std::filesystem;
using namespace vexmolda::testing;

// Screen points of the default 800 x 600 window.
constexpr int domainTabX = 10, domainTabY = 40;
constexpr int instancesTabX = 7, instancesTabY = 143;
constexpr int windowPointX = 388, windowPointY = 300;
// The message panel's one line while the solve runs: its progress line.
constexpr int progressX = 30, progressY = 559, progressWidth = 560, progressHeight = 14;
constexpr Colour windowBlue{128, 180, 255};

bool dark(Colour colour) { return colour.r < 90 && colour.g < 90 && colour.b < 90; }

bool samePixels(const std::vector<Colour>& left, const std::vector<Colour>& right) {
    if (left.size() != right.size()) return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (left[i].r != right[i].r || left[i].g != right[i].g || left[i].b != right[i].b) return false;
    }
    return true;
}

TEST_F(ProgramSession, ALongSolveLeavesTheWindowLiveShowsProgressAndStopsOnEscape) {
    fs::copy_file(fs::path(VEXMOLDA_SOURCE_DIR) / "tests/data/domains/gripper-prob05.pln", run.path / "rocket.pln");
    startProgram();
    ASSERT_TRUE(outputHas("Operations: ")) << output();
    const std::size_t reportsBefore = output().size();

    // The graph search of this problem takes far longer than the test.
    typeLine("solve graph");
    ASSERT_TRUE(waitFor([&] { return countPixels(progressX, progressY, progressWidth, progressHeight, dark) > 50; }, 5))
        << "no progress line";
    const std::vector<Colour> firstLook = pixels(progressX, progressY, progressWidth, progressHeight);

    clickAt(domainTabX, domainTabY);
    EXPECT_TRUE(waitFor([&] { return near(pixel(windowPointX, windowPointY), windowBlue); }, 5))
        << "the Domain tab did not slide its window in during the solve";
    EXPECT_TRUE(waitFor([&] { return !samePixels(pixels(progressX, progressY, progressWidth, progressHeight), firstLook); }, 5))
        << "the progress line did not change";

    typeLine("type queued");
    EXPECT_EQ(output().size(), reportsBefore) << "no report while the solve runs";
    tool("xdotool key --window " + std::to_string(window) + " Escape");
    // How soon a stop lands is the batch tests' to check, in processor time; a
    // loaded machine (or ThreadSanitizer) may take far longer on the clock.
    EXPECT_TRUE(outputHas("Stopped by the user after ")) << output();
    const std::string stopped = output().substr(reportsBefore);
    EXPECT_NE(stopped.find("Solution not found\n"), std::string::npos) << stopped;
    EXPECT_TRUE(outputHas("Types: any, ball, gripper, queued, room\n")) << "the line typed meanwhile ran after it";

    typeLine("q");
    EXPECT_EQ(waitForExit(), 0) << output();
}

// A domain whose full build takes far longer than the test: 60^5 bindings,
// whose instances repeat each other after the first 3,600 (made with their facts).
std::string endlessGrounding() {
    std::string text = "type t\natom t";
    for (int i = 0; i < 60; ++i) text += " x" + std::to_string(i);
    return text + "\npred f(t:a, t:b)\nop o(t:a, t:b, t:c, t:d, t:e)\nadd o f(a,b)\ninit f(x0,x1)\ngoal f(x1,x0)\n";
}

// A domain file whose load grounds 64,000 instances.
std::string groundingFile() {
    std::string text = "type loaded\natom loaded";
    for (int i = 0; i < 40; ++i) text += " y" + std::to_string(i);
    return text + "\npred g(loaded:a, loaded:b, loaded:c)\nop p(loaded:a, loaded:b, loaded:c)\nadd p g(a,b,c)\n"
                  "noDups off\nbuildInst\n";
}

TEST_F(ProgramSession, ALongGroundingAndAFileLoadLeaveTheWindowLive) {
    { std::ofstream(run.path / "rocket.pln") << endlessGrounding(); }
    { std::ofstream(run.path / "other.pln") << groundingFile(); }
    startProgram();
    ASSERT_TRUE(outputHas("Operations: ")) << output();

    typeLine("buildInst");
    ASSERT_TRUE(waitFor([&] { return countPixels(progressX, progressY, progressWidth, progressHeight, dark) > 50; }, 5))
        << "no progress line";
    clickAt(domainTabX, domainTabY);
    EXPECT_TRUE(waitFor([&] { return near(pixel(windowPointX, windowPointY), windowBlue); }, 5))
        << "the Domain tab did not slide its window in during the grounding";
    clickAt(instancesTabX, instancesTabY);
    typeLine("type queued");
    tool("xdotool key --window " + std::to_string(window) + " Escape");
    EXPECT_TRUE(outputHas("Stopped by the user after ")) << output();
    EXPECT_TRUE(outputHas(": no instances built\n")) << output();
    EXPECT_TRUE(outputHas("Types: any, queued, t\n")) << "the line typed meanwhile ran after it";

    const std::size_t reportsBefore = output().size();
    typeLine("file other");
    clickAt(domainTabX, domainTabY);
    clickAt(instancesTabX, instancesTabY);
    EXPECT_TRUE(waitFor([&] { return output().find("Types: any, loaded\n", reportsBefore) != std::string::npos; }, 90))
        << output().substr(reportsBefore);
    EXPECT_TRUE(outputHas("loaded:c) - (64000 instances)\n")) << output().substr(reportsBefore);

    typeLine("q");
    EXPECT_EQ(waitForExit(), 0) << output();
}

}  // namespace

// Whole sessions of the window program under a private virtual X server:
// typed commands, tab clicks checked on the screen, and the ways it ends.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "ProgramSession.h"

namespace {

using namespace vexmolda::testing;

const char* const smallDomain =
    "type place cargo\n"
    "atom place london paris\n"
    "atom cargo a\n";

class GuiSession : public ProgramSession {
protected:
    // Waits until the pixel shows the colour; reports the last one seen.
    void expectPixel(int px, int py, Colour wanted, const char* what) {
        Colour seen{};
        const bool reached = waitFor(
            [&] {
                seen = pixel(px, py);
                return near(seen, wanted);
            },
            10);
        EXPECT_TRUE(reached) << what << ": pixel (" << px << ", " << py << ") is " << seen << ", wanted " << wanted;
    }
};

// Screen points of the default 800 x 600 window (8 pixels per unit across, 6 down).
constexpr int domainTabX = 10, domainTabY = 40;
constexpr int messagesTabX = 10, messagesTabY = 585;
// Inside the open window, clear of its text: the gap left of the column rule,
// and low in the operations column where the message panel reaches.
constexpr int windowPointX = 388, windowPointY = 300;
constexpr int panelPointX = 600, panelPointY = 564;
constexpr Colour background{200, 200, 200};
constexpr Colour windowBlue{128, 180, 255};
constexpr Colour panelGrey{191, 191, 191};

TEST_F(GuiSession, TypedCommandsReprintTheReportAndTabsSlideTheirWindowsIn) {
    std::ofstream(run.path / "rocket.pln") << smallDomain;
    startProgram();
    ASSERT_TRUE(outputHas("Types: any, cargo, place\n")) << output();

    typeLine("type foo");
    ASSERT_TRUE(outputHas("Types: any, cargo, foo, place\n")) << output();

    expectPixel(windowPointX, windowPointY, background, "closed windows leave the background");
    clickAt(domainTabX, domainTabY);
    expectPixel(windowPointX, windowPointY, windowBlue, "the Domain tab slides its window in");

    // One message line raises the panel over the window's lower edge; "^^" hides it.
    typeLine("frobnicate");
    ASSERT_TRUE(outputHas("Unknown command or not enough parameters\n")) << output();
    expectPixel(panelPointX, panelPointY, panelGrey, "the message panel shows the message");
    clickAt(messagesTabX, messagesTabY);
    expectPixel(panelPointX, panelPointY, windowBlue, "the \"^^\" tab hides the message panel");
    expectPixel(messagesTabX, messagesTabY - 20, {220, 220, 220}, "the \"^^\" tab turns light");

    requestClose();
    EXPECT_EQ(waitForExit(), 0) << "closing the window ends the program with status 0";
}

TEST_F(GuiSession, LinesThatArriveTogetherEachGetTheirOwnReportInOrder) {
    std::ofstream(run.path / "rocket.pln") << smallDomain;
    startProgram();
    ASSERT_TRUE(outputHas("Types: any, cargo, place\n")) << output();
    const std::size_t before = output().size();
    // Three lines in one burst, as pasted text gives them.
    tool("xdotool type --delay 1 \"$(printf 'type f1\\rtype f2\\rtype f3\\r')\"");
    ASSERT_TRUE(outputHas("Types: any, cargo, f1, f2, f3, place\n")) << output();
    const std::string reports = output().substr(before);
    const std::vector<std::string> expected{"Types: any, cargo, f1, place\n", "Types: any, cargo, f1, f2, place\n",
                                            "Types: any, cargo, f1, f2, f3, place\n"};
    std::size_t at = 0;
    for (const std::string& types : expected) {
        at = reports.find("Types: ", at);
        ASSERT_NE(at, std::string::npos) << "fewer reports than lines: " << reports;
        EXPECT_EQ(reports.compare(at, types.size(), types), 0) << "report " << types << "in " << reports;
        ++at;
    }
    EXPECT_EQ(reports.find("Types: ", at), std::string::npos) << "more reports than lines: " << reports;
    typeLine("q");
    EXPECT_EQ(waitForExit(), 0) << output();
}

TEST_F(GuiSession, ABurstOfResizesLeavesTheWindowAtTheLastSizeAndResponsive) {
    std::ofstream(run.path / "rocket.pln") << smallDomain;
    startProgram();
    ASSERT_TRUE(outputHas("Types: any, cargo, place\n")) << output();
    // 21 sizes between 700 and 900 wide in one go, as a fast drag gives them.
    std::string burst = "xdotool";
    for (int i = 0; i <= 20; ++i) {
        const int width = i % 2 == 0 ? 700 + 10 * i : 900 - 10 * i;
        burst += " windowsize " + std::to_string(window) + " " + std::to_string(width) + " 600";
    }
    burst += " windowsize " + std::to_string(window) + " 850 600";
    tool(burst);
    const std::string geometry = "xdotool getwindowgeometry " + std::to_string(window) + " | grep Geometry";
    // The window settles at the size it was given last, and stays there.
    EXPECT_TRUE(waitFor([&] { return tool(geometry) == "  Geometry: 850x600"; }, 10)) << tool(geometry);
    // A command's report comes after the program has handled every event before it.
    typeLine("type foo");
    EXPECT_TRUE(outputHas("Types: any, cargo, foo, place\n")) << "typed commands still run";
    EXPECT_EQ(tool(geometry), "  Geometry: 850x600") << "the window changes size on its own";
    requestClose();
    EXPECT_EQ(waitForExit(), 0) << "a close request still ends the program";
}

TEST_F(GuiSession, WithoutTheStartupFileTheWindowOpensAndQuitEndsIt) {
    startProgram();
    ASSERT_TRUE(outputHas("File \"rocket.pln\" not found\n")) << output();
    // No file was loaded, so nothing was wiped: not even "any" exists yet.
    EXPECT_EQ(output().rfind("Types: \n", 0), 0u) << output();
    typeLine("q");
    EXPECT_EQ(waitForExit(), 0) << output();
}

TEST_F(GuiSession, WithoutTheFontTheWindowSaysOnStandardErrorWhereItLooked) {
    std::ofstream(run.path / "rocket.pln") << smallDomain;
    std::filesystem::remove(run.path / "verdanasmall.glf");
    startProgram();
    const std::string message = "Font file \"verdanasmall.glf\" not found in \"" + run.path.string() + "\" or \"";
    ASSERT_TRUE(outputHas("Types: any, cargo, place\n")) << output();
    EXPECT_NE(output().find(message), std::string::npos) << "the report's messages: " << output();
    const std::string errors = readFile(run.path / "out.txt.err");
    const std::size_t at = errors.find(message);
    ASSERT_NE(at, std::string::npos) << errors;
    // The second place is the installed data folder beside the program's own.
    EXPECT_NE(errors.find("/share/vexmolda\": the window shows no text\n", at), std::string::npos) << errors;
    typeLine("q");
    EXPECT_EQ(waitForExit(), 0) << output();
}

TEST(GuiWithoutDisplay, SaysSoPrintsTheReportOnceAndEndsWell) {
    RunDirectory run;
    std::ofstream(run.path / "rocket.pln") << smallDomain;
    const pid_t pid = spawn({VEXMOLDA_PROGRAM}, run.path, environmentWith(""), run.path / "out.txt");
    int status = -1;
    bool ended = false;
    const bool finished = waitFor([&] { return exitStatus(pid, status, ended) >= 0; }, 30);
    if (!finished) stop(pid);
    ASSERT_TRUE(finished) << "the program did not end without a display";
    EXPECT_EQ(status, 0);
    const std::string output = readFile(run.path / "out.txt");
    EXPECT_EQ(output.rfind("GLFW failed to initialize!\n", 0), 0u) << output;
    const std::size_t report = output.find("Types: any, cargo, place\n");
    EXPECT_NE(report, std::string::npos) << output;
    EXPECT_EQ(output.find("Types:", report + 1), std::string::npos) << "printed more than once: " << output;
}

}  // namespace

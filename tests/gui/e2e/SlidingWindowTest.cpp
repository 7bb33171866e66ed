// The five windows in whole sessions under a private virtual X server: what
// the plangraph draws and where, the hover outlines, the instance buttons,
// the log, and the graph windows across wipes, rebuilds, loads and solves.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ProgramSession.h"

namespace {

namespace fs = std::filesystem;
using namespace vexmolda::testing;

// The cargo example without its closing solve.
const char* const cargoDomain =
    "type place cargo rocket\n"
    "atom place london paris\n"
    "atom cargo a b\n"
    "atom rocket r\n"
    "pred at(cargo:c, place:p)\n"
    "pred inside(cargo:c, rocket:r)\n"
    "pred rocketAt(rocket:r, place:p)\n"
    "op load(cargo:c, rocket:r, place:p)\n"
    "pre load at(c,p) rocketAt(r,p)\n"
    "add load inside(c,r)\n"
    "del load at(c,p)\n"
    "const load ~eq(p paris)\n"
    "op fly(rocket:r, place:from, place:to)\n"
    "pre fly rocketAt(r,from)\n"
    "add fly rocketAt(r,to)\n"
    "del fly rocketAt(r,from)\n"
    "op unload(cargo:c, rocket:r, place:p)\n"
    "pre unload inside(c,r) rocketAt(r,p)\n"
    "add unload at(c,p)\n"
    "del unload inside(c,r)\n"
    "init at(a,london) at(b,london) rocketAt(r,london)\n"
    "goal at(a,paris) at(b,paris)\n"
    "buildInst\n";

// swap(x,y) and swap(y,x) have equal sets: the redundancy filter keeps one.
const char* const swapDomain =
    "type t\n"
    "atom t x y\n"
    "pred linked(t:a, t:b)\n"
    "op swap(t:a, t:b)\n"
    "add swap linked(a,b) linked(b,a)\n"
    "buildInst\n";

bool dark(Colour colour) { return colour.r < 90 && colour.g < 90 && colour.b < 90; }

constexpr Colour windowBlue{128, 180, 255};
constexpr Colour background{200, 200, 200};
constexpr Colour edgeBlue{0, 0, 255};
constexpr Colour edgeGreen{0, 255, 0};
constexpr Colour hoverYellow{255, 255, 0};
constexpr Colour partnerRed{255, 0, 0};
constexpr Colour tooltipYellow{255, 255, 128};
constexpr Colour toggleOn{128, 128, 128};
constexpr Colour toggleOff{220, 220, 220};
constexpr Colour borderGrey{128, 128, 128};

// Text widths read straight from the font file's glyph table: advance widths
// scaled so that glyph 0 is one text size high.
class FontMetrics {
public:
    explicit FontMetrics(const fs::path& file) {
        const std::string bytes = readFile(file);
        if (bytes.size() < 24) return;
        firstCode = readInt(bytes, 12);
        const std::int32_t lastCode = readInt(bytes, 16);
        for (std::int32_t code = firstCode; code <= lastCode; ++code) {
            const std::size_t at = 24 + 24 * static_cast<std::size_t>(code - firstCode);
            if (at + 8 > bytes.size()) return;
            advances.push_back(readFloat(bytes, at));
            if (code == firstCode) glyphHeight = readFloat(bytes, at + 4);
        }
    }
    float width(const std::string& text, float size) const {
        float total = 0;
        for (const char c : text) {
            const int index = c - firstCode;
            if (c != '\n' && index >= 0 && index < static_cast<int>(advances.size())) total += advances[index];
        }
        return total * size / glyphHeight;
    }
    bool usable() const { return !advances.empty() && glyphHeight > 0; }

private:
    static std::int32_t readInt(const std::string& bytes, std::size_t at) {
        std::int32_t value;
        std::memcpy(&value, bytes.data() + at, 4);
        return value;
    }
    static float readFloat(const std::string& bytes, std::size_t at) {
        float value;
        std::memcpy(&value, bytes.data() + at, 4);
        return value;
    }
    std::int32_t firstCode = 0;
    float glyphHeight = 0;
    std::vector<float> advances;
};

// Screen units of the 800 x 600 window to pixels.
int pixelX(float units) { return static_cast<int>(std::lround(units * 8)); }
int pixelY(float units) { return static_cast<int>(std::lround(units * 6)); }

// Where a graph point is drawn at the start: the graph origin lies at the
// window's corner (2.65, 0.1) as long as nobody zoomed or panned.
int graphPixelX(float gx) { return pixelX(2.65f + gx); }
int graphPixelY(float gy) { return pixelY(0.1f + gy); }

class WindowSession : public ProgramSession {
protected:
    // Starts the program on the domain as its start-up file and waits for the first report.
    void startProgram(const std::string& domain) {
        std::ofstream(run.path / "rocket.pln") << domain;
        ProgramSession::startProgram();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(outputHas("Types: ")) << output();
    }

    // Types a command and waits for the report it causes.
    void command(const std::string& text, const std::string& reportPart) {
        const std::size_t before = output().size();
        typeLine(text);
        ASSERT_TRUE(waitFor([&] { return output().find(reportPart, before) != std::string::npos; }, 30))
            << "after \"" << text << "\": " << output().substr(before);
    }

    // The tab column: all tabs at x 0..2.5, "Plangraph" 36..57, "Interference" 57..84, "Log" 84..94.
    void clickTab(float unitsY) { clickAt(pixelX(1.25f), pixelY(unitsY)); }
    void clickDomainTab() { clickTab(7); }
    void clickInstancesTab() { clickTab(25); }
    void clickPlangraphTab() { clickTab(46); }
    void clickInterferenceTab() { clickTab(70); }
    void clickLogTab() { clickTab(89); }

    // Waits until some pixel of the small rectangle around (x, y) has the colour.
    bool showsNear(int x, int y, Colour wanted, int reach = 1, double seconds = 10) {
        return waitFor(
            [&] {
                return countPixels(x - reach, y - reach, 2 * reach + 1, 2 * reach + 1,
                                   [&](Colour c) { return near(c, wanted); }) > 0;
            },
            seconds);
    }

    // Waits until an opened window rests: only then does it take clicks and hovers.
    // Its right border (at x 2.65 + 97.25) reaches the screen's last columns at rest alone.
    bool restsOpen() { return showsNear(pixelX(2.65f + 97.25f) - 2, 300, borderGrey, 2); }

    bool showsDarkIn(int x, int y, int width, int height, double seconds = 10) {
        return waitFor([&] { return countPixels(x, y, width, height, dark) > 0; }, seconds);
    }

    FontMetrics font{VEXMOLDA_FONT_FILE};
};

// A point of an open window far from any text, line or button of the cargo example.
constexpr int emptyX = 760;
constexpr int emptyY = 8;

TEST_F(WindowSession, PlangraphDrawsNodesAndEdgesWhereTheLayoutPutsThemAndOutlinesMutexPartners) {
    ASSERT_TRUE(font.usable());
    startProgram(cargoDomain);
    command("solve graph", "1: load(a,r,london), load(b,r,london)");
    clickPlangraphTab();
    ASSERT_TRUE(showsNear(emptyX, emptyY, windowBlue, 0)) << "the plangraph window slid in";
    ASSERT_TRUE(restsOpen()) << "the plangraph window came to rest";

    // Fact level 0 holds the initial state in its order, texts 2 apart.
    const std::vector<std::string> facts{"at(a,london)", "at(b,london)", "rocketAt(r,london)"};
    std::vector<float> factCentre;
    float left = 0;
    for (const std::string& fact : facts) {
        const float width = font.width(fact, 2);
        factCentre.push_back(left + width / 2);
        EXPECT_TRUE(showsDarkIn(graphPixelX(left), graphPixelY(0), pixelX(width), pixelY(2)))
            << fact << " is drawn at x " << left;
        // The 2-unit gap after the text stays clear of text.
        EXPECT_EQ(countPixels(graphPixelX(left + width + 0.6f), graphPixelY(0.3f), pixelX(0.8f), pixelY(1.4f), dark), 0)
            << "gap after " << fact;
        left += width + 2;
    }

    // A no-op is only its edges: blue from its fact down to the action row
    // (y 3 to 24), green from there to the next fact row (y 28 to 49).
    for (const float centre : {factCentre[0], factCentre[1]}) {
        EXPECT_TRUE(showsNear(graphPixelX(centre), graphPixelY(8), edgeBlue)) << "no-op pre edge at x " << centre;
        EXPECT_TRUE(showsNear(graphPixelX(centre), graphPixelY(38), edgeGreen)) << "no-op add edge at x " << centre;
    }

    // Action level 1: instances start 4 right of the last no-op, in placement
    // order; fly(r,paris,london) cannot be placed yet.
    const std::vector<std::string> actions{"fly(r,london,paris)", "load(a,r,london)", "load(b,r,london)"};
    std::vector<float> actionCentre;
    float x = factCentre[2] + 4;
    for (const std::string& action : actions) {
        const float width = font.width(action, 2);
        actionCentre.push_back(x + width / 2);
        EXPECT_TRUE(showsDarkIn(graphPixelX(x), graphPixelY(25), pixelX(width), pixelY(2))) << action;
        x += width + 2;
    }
    // load(a,r,london) needs at(a,london): a straight blue edge from (fact, 3) to (action, 24).
    const float midX = (factCentre[0] + actionCentre[1]) / 2;
    EXPECT_TRUE(showsNear(graphPixelX(midX), graphPixelY(13.5f), edgeBlue, 2)) << "pre edge midpoint";

    // Hovering load(a,r,london) outlines it in yellow and fly(r,london,paris),
    // which deletes its precondition rocketAt(r,london), in red; box tops at y 24.
    moveTo(graphPixelX(actionCentre[1]), graphPixelY(26));
    EXPECT_TRUE(showsNear(graphPixelX(actionCentre[1]), graphPixelY(24), hoverYellow, 2)) << "hovered node";
    EXPECT_TRUE(showsNear(graphPixelX(actionCentre[0]), graphPixelY(24), partnerRed, 2)) << "mutex partner";
    // The no-op of at(a,london) is mutex with it too: its box is 4 wide.
    EXPECT_TRUE(showsNear(graphPixelX(factCentre[0] - 2), graphPixelY(25), partnerRed, 2)) << "no-op partner";
    // load(b,r,london) is not mutex with it: the frame that drew the outlines above has no red on it.
    EXPECT_FALSE(showsNear(graphPixelX(actionCentre[2]), graphPixelY(24), partnerRed, 1, 0));

    // Moving away removes the outlines.
    moveTo(emptyX, 300);
    EXPECT_TRUE(waitFor([&] { return !showsNear(graphPixelX(actionCentre[1]), graphPixelY(24), hoverYellow, 2, 0); }, 10));
    EXPECT_TRUE(running());
}

TEST_F(WindowSession, InstanceButtonsFlipTheFilterAndRebuildTheColumns) {
    startProgram(swapDomain);
    ASSERT_TRUE(outputHas("Redundant Ops: filtered")) << output();
    clickInstancesTab();
    ASSERT_TRUE(showsNear(emptyX, 300, windowBlue, 0)) << "the instances window slid in";
    ASSERT_TRUE(restsOpen()) << "the instances window came to rest";
    // Rows are 2 units high from y 8 in the window (8.1 on screen): one instance, swap(x,y).
    const int rowX = pixelX(2.65f + 2.5f);
    EXPECT_TRUE(showsDarkIn(rowX, pixelY(8.1f), pixelX(8), pixelY(2))) << "first row";
    EXPECT_EQ(countPixels(rowX, pixelY(10.1f), pixelX(8), pixelY(2), dark), 0) << "no second row yet";

    // "Filter Redundant" spans x 77..95 and y 1.2..4.2 of the window; its caption leaves the right end bare.
    const int buttonX = pixelX(2.65f + 94.5f);
    const int buttonY = pixelY(0.1f + 3.5f);
    EXPECT_TRUE(showsNear(buttonX, buttonY, toggleOn, 0)) << "dark while the filter is on";
    clickAt(pixelX(2.65f + 86), pixelY(0.1f + 2.7f));
    EXPECT_TRUE(showsNear(buttonX, buttonY, toggleOff, 0)) << "light once the filter is off";
    // Only commands reprint the report; the button has been drawn light, so the loop went on.
    EXPECT_EQ(output().find("Redundant Ops: allowed"), std::string::npos) << output();
    // The flag alone builds nothing.
    EXPECT_EQ(countPixels(rowX, pixelY(10.1f), pixelX(8), pixelY(2), dark), 0);

    // "Build Instances" at x 25..42 rebuilds: now swap(y,x) too.
    clickAt(pixelX(2.65f + 33), pixelY(0.1f + 2.7f));
    EXPECT_TRUE(showsDarkIn(rowX, pixelY(10.1f), pixelX(8), pixelY(2))) << "a second row after the rebuild";
    EXPECT_TRUE(showsNear(buttonX, buttonY, toggleOff, 0));

    // A typed switch shows on the button in the next frame as well.
    command("filterReds", "Redundant Ops: filtered");
    EXPECT_TRUE(showsNear(buttonX, buttonY, toggleOn, 0)) << "dark again after the typed command";
}

TEST_F(WindowSession, LogWindowShowsTheLogAndThePlan) {
    startProgram(cargoDomain);
    clickLogTab();
    ASSERT_TRUE(showsNear(emptyX, 300, windowBlue, 0)) << "the log window slid in";
    ASSERT_TRUE(restsOpen()) << "the log window came to rest";
    // Nothing solved yet: the first lines are blank.
    EXPECT_EQ(countPixels(pixelX(2.65f + 1.5f), pixelY(1.6f), pixelX(40), pixelY(6), dark), 0);
    command("solve insel", "Log:");
    // The trace may open with a blank line.
    EXPECT_TRUE(showsDarkIn(pixelX(2.65f + 1.5f), pixelY(1.6f), pixelX(40), pixelY(6))) << "the log is drawn";
}

TEST_F(WindowSession, GraphWindowsFollowWipesRebuildsLoadsAndSolves) {
    startProgram(cargoDomain);
    command("solve graph", "1: load(a,r,london), load(b,r,london)");
    clickPlangraphTab();
    ASSERT_TRUE(showsNear(emptyX, emptyY, windowBlue, 0));
    const int factRowX = graphPixelX(0);
    ASSERT_TRUE(showsDarkIn(factRowX, graphPixelY(0), pixelX(8), pixelY(2)));

    // A new solve while open: the new graph is drawn.
    command("solve graph", "1: load(a,r,london), load(b,r,london)");
    EXPECT_TRUE(showsDarkIn(factRowX, graphPixelY(0), pixelX(8), pixelY(2)));
    moveTo(graphPixelX(2), graphPixelY(1));

    // Rebuilding the instances drops the graph: the window closes itself.
    command("buildInst", "Types:");
    EXPECT_TRUE(showsNear(emptyX, emptyY, background, 0)) << "plangraph closed after buildInst";
    EXPECT_TRUE(running());

    // The interference table with a tooltip, then a wipe.
    command("solve graph", "1: load(a,r,london), load(b,r,london)");
    clickInterferenceTab();
    ASSERT_TRUE(showsNear(emptyX, 580 - 60, windowBlue, 0)) << "the interference window slid in";
    ASSERT_TRUE(restsOpen()) << "the interference window came to rest";
    moveTo(400, 300);
    moveTo(401, 301);
    EXPECT_TRUE(waitFor([&] { return countPixels(400, 324, 120, 26, [](Colour c) { return near(c, tooltipYellow); }) > 20; },
                        10))
        << "tooltip below the pointer";
    command("wipe", "Types: any\n");
    EXPECT_TRUE(showsNear(emptyX, 580 - 60, background, 0)) << "interference closed after wipe";
    EXPECT_TRUE(waitFor([&] { return countPixels(400, 324, 120, 26, [](Colour c) { return near(c, tooltipYellow); }) == 0; },
                        10))
        << "the tooltip went with the graph";
    EXPECT_TRUE(running());

    // A file load while the plangraph is open.
    command("file rocket", "Types: any, cargo, place, rocket\n");
    command("solve graph", "1: load(a,r,london), load(b,r,london)");
    clickPlangraphTab();
    ASSERT_TRUE(showsNear(emptyX, emptyY, windowBlue, 0));
    command("file rocket", "Types: any, cargo, place, rocket\n");
    EXPECT_TRUE(showsNear(emptyX, emptyY, background, 0)) << "plangraph closed after a file load";
    EXPECT_TRUE(running());
    // Opening it without a graph: it starts to open and closes again.
    clickPlangraphTab();
    // The report of a later command shows the click has been handled; the window then closes.
    command("type still", "still");
    EXPECT_TRUE(showsNear(emptyX, emptyY, background, 0));
    EXPECT_TRUE(running());
}

}  // namespace

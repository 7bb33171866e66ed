#include "gui/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SyntheticFont.h"
#include "command/Session.h"
#include "gui/CommandRunner.h"
#include "gui/Font.h"
#include "gui/GlfwAdapter.h"
#include "support/Session.h"

using vexmolda::testing::runLines;

namespace vexmolda {
namespace {

using namespace windowing;

// An editor whose submitted lines are recorded instead of run.
struct RecordingEditor {
    std::vector<std::string> ran;
    CommandEditor editor{[this](const std::string& line) { ran.push_back(line); }};

    void type(const std::string& text) {
        for (char character : text) editor.onCharacter(character);
    }
    void submit(const std::string& text) {
        type(text);
        editor.onKey(keyEnter);
    }
};

TEST(CommandLine, TypingInsertsAtTheCursor) {
    RecordingEditor r;
    r.type("ac");
    EXPECT_EQ(r.editor.promptText(), "> ac_");
    r.editor.onKey(keyLeft);
    EXPECT_EQ(r.editor.cursor, 1u);
    EXPECT_EQ(r.editor.promptText(), "> a_c");
    r.type("b");
    EXPECT_EQ(r.editor.commandLine, "abc");
    EXPECT_EQ(r.editor.cursor, 2u);
}

TEST(CommandLine, EditingKeysStopAtTheEnds) {
    RecordingEditor r;
    r.editor.onKey(keyBackspace);
    r.editor.onKey(keyDelete);
    r.editor.onKey(keyLeft);
    EXPECT_EQ(r.editor.cursor, 0u);
    r.type("xyz");
    r.editor.onKey(keyRight);
    EXPECT_EQ(r.editor.cursor, 3u);
    r.editor.onKey(keyDelete);
    EXPECT_EQ(r.editor.commandLine, "xyz");
    r.editor.onKey(keyBackspace);
    EXPECT_EQ(r.editor.commandLine, "xy");
    EXPECT_EQ(r.editor.cursor, 2u);
    r.editor.onKey(keyLeft);
    r.editor.onKey(keyLeft);
    r.editor.onKey(keyBackspace);
    EXPECT_EQ(r.editor.commandLine, "xy");
    r.editor.onKey(keyDelete);
    EXPECT_EQ(r.editor.commandLine, "y");
    EXPECT_EQ(r.editor.cursor, 0u);
    // Keys without an editing meaning change nothing.
    r.editor.onKey(keyHome);
    r.editor.onKey('A');
    EXPECT_EQ(r.editor.commandLine, "y");
}

TEST(CommandLine, SubmitRunsTheLineAndEmptiesIt) {
    RecordingEditor r;
    r.submit("type foo");
    ASSERT_EQ(r.ran, std::vector<std::string>{"type foo"});
    EXPECT_EQ(r.editor.commandLine, "");
    EXPECT_EQ(r.editor.cursor, 0u);
    EXPECT_EQ(r.editor.historyIndex, -1);
    // An empty line is neither run nor kept.
    r.editor.onKey(keyEnter);
    r.editor.onKey(keyKeypadEnter);
    EXPECT_EQ(r.ran.size(), 1u);
    EXPECT_EQ(r.editor.history.size(), 1u);
    r.submit("b");
    r.type("c");
    r.editor.onKey(keyKeypadEnter);
    EXPECT_EQ(r.ran, (std::vector<std::string>{"type foo", "b", "c"}));
}

TEST(CommandLine, HistoryRecallsNewestFirstAndDownStopsAtTheNewest) {
    RecordingEditor r;
    r.submit("a");
    r.submit("b");
    r.submit("c");
    r.editor.onKey(keyUp);
    r.editor.onKey(keyUp);
    EXPECT_EQ(r.editor.commandLine, "b");
    EXPECT_EQ(r.editor.cursor, 1u);
    r.editor.onKey(keyDown);
    EXPECT_EQ(r.editor.commandLine, "c");
    r.editor.onKey(keyDown);
    EXPECT_EQ(r.editor.commandLine, "c");
    r.editor.onKey(keyUp);
    r.editor.onKey(keyUp);
    r.editor.onKey(keyUp);
    EXPECT_EQ(r.editor.commandLine, "a");
    EXPECT_EQ(r.editor.historyIndex, 2);
}

TEST(CommandLine, HistoryKeepsTheLastTwentyLines) {
    RecordingEditor r;
    for (int i = 1; i <= 21; ++i) r.submit("line " + std::to_string(i));
    ASSERT_EQ(r.editor.history.size(), 20u);
    for (int i = 0; i < 25; ++i) r.editor.onKey(keyUp);
    EXPECT_EQ(r.editor.commandLine, "line 2");
    EXPECT_EQ(r.editor.historyIndex, 19);
}

TEST(CommandLine, SubmitEmptiesMessagesBeforeRunning) {
    testing::freshSession();
    Session& session = testing::session();
    session.messages.append("old\n");
    CommandRunner runner(session);
    CommandEditor editor([&runner](const std::string& line) { runner.submitLine(line); });
    for (char character : std::string("type foo foo")) editor.onCharacter(character);
    editor.submit();
    EXPECT_TRUE(runner.runNext());
    EXPECT_EQ(testing::messageText(), "foo already exists\n");
}

TEST(CommandLine, SubmittedLinesGoThroughTheInterpreter) {
    testing::freshSession();
    Session& session = testing::session();
    session.switches.dirty = false;
    CommandRunner runner(session);
    CommandEditor editor([&runner](const std::string& line) { runner.submitLine(line); });
    for (char character : std::string("type foo")) editor.onCharacter(character);
    editor.submit();
    EXPECT_TRUE(runner.runNext());
    EXPECT_TRUE(session.switches.dirty);
    EXPECT_NE(session.model.findType("foo"), nullptr);
    for (char character : std::string("frobnicate")) editor.onCharacter(character);
    editor.submit();
    EXPECT_TRUE(runner.runNext());
    EXPECT_EQ(testing::messageText(), "Unknown command or not enough parameters\n");
    testing::freshSession();
}

TEST(CommandLine, PanelRisesByTwoAndAHalfUnitsPerMessageLine) {
    EXPECT_FLOAT_EQ(panelTop(true, 0), 95.5f);
    EXPECT_FLOAT_EQ(panelTop(true, 2), 90.5f);
    EXPECT_FLOAT_EQ(panelTop(false, 2), 95.5f);
    // The last of n lines sits at 93.5 whatever n.
    for (std::size_t n : {1u, 3u, 10u}) EXPECT_FLOAT_EQ(panelTop(true, n) - 2 + 2.5f * n, 93.5f);
}

TEST(CommandLine, APanelOfManyMessagesTakesHalfTheWindowAndScrollsToEveryLine) {
    EXPECT_GE(panelTop(true, 61), 50);
    EXPECT_FLOAT_EQ(panelTop(true, 61), panelTop(true, panelLineLimit));
    // The shown lines fit between the panel top and the command line.
    EXPECT_LE(panelTop(true, 61) + 0.5f + 2.5f * panelLineLimit, 95.5f + 0.5f);
    // Wheel down (negative) moves on through the list, never past its last page, and back.
    std::size_t first = 0;
    for (int notch = 0; notch < 100; ++notch) first = scrolledFirstLine(first, -1, 61);
    EXPECT_EQ(first + panelLineLimit, 61u) << "the last message is reachable and the page stays full";
    first = scrolledFirstLine(first, 5, 61);
    EXPECT_EQ(first, 61u - panelLineLimit - 5);
    EXPECT_EQ(scrolledFirstLine(first, 1000, 61), 0u);
    EXPECT_EQ(scrolledFirstLine(0, -3, 10), 0u) << "a list that fits does not move";
}

TEST(CommandLine, HandlersTakePressesAndStoreTypedCharactersAsUtf8) {
    CommandEditor& editor = commandEditor();
    editor.commandLine.clear();
    editor.cursor = 0;
    handleCharacter(mapCharacter('a'), actionPress);
    handleCharacter(mapCharacter('b'), actionRelease);
    handleCharacter(mapCharacter(0xE9), actionPress);
    handleCharacter(mapCharacter(0x263A), actionPress);
    EXPECT_EQ(editor.commandLine, "a\xC3\xA9\xE2\x98\xBA");
    handleKey(keyBackspace, actionRelease);
    EXPECT_EQ(editor.commandLine, "a\xC3\xA9\xE2\x98\xBA");
    handleKey(keyBackspace, actionPress);
    EXPECT_EQ(editor.commandLine, "a\xC3\xA9");
    editor.commandLine.clear();
    editor.cursor = 0;
}

TEST(CommandLine, TypedNamesAreTheBytesOfLoadedNamesAndKeysStepOverWholeCharacters) {
    testing::freshSession();
    runLines({"type t", "atom t x\xC3\xBCyz"});
    CommandRunner runner(testing::session());
    CommandEditor editor([&runner](const std::string& line) { runner.submitLine(line); });
    for (const unsigned int codepoint : std::u32string(U"atom t x\u00FCyz w\U0001F600")) {
        editor.onCharacter(mapCharacter(codepoint));
    }
    EXPECT_EQ(editor.commandLine, "atom t x\xC3\xBCyz w\xF0\x9F\x98\x80");
    // Left, Backspace, Right and Delete move over a character's bytes at once.
    editor.onKey(keyLeft);
    EXPECT_EQ(editor.cursor, editor.commandLine.size() - 4);
    editor.onKey(keyBackspace);
    EXPECT_EQ(editor.commandLine, "atom t x\xC3\xBCyz \xF0\x9F\x98\x80");
    editor.onKey(keyDelete);
    EXPECT_EQ(editor.commandLine, "atom t x\xC3\xBCyz ");
    for (int i = 0; i < 4; ++i) editor.onKey(keyLeft);
    EXPECT_EQ(editor.commandLine.substr(editor.cursor), "\xC3\xBCyz ");
    editor.onKey(keyRight);
    EXPECT_EQ(editor.commandLine.substr(editor.cursor), "yz ");
    editor.submit();
    EXPECT_TRUE(runner.runNext());
    // The typed name is the loaded one: declared twice, not a second atom.
    EXPECT_EQ(testing::messageText(), "x\xC3\xBCyz already exists\n");
    EXPECT_EQ(testing::session().model.atoms.size(), 1u);
    testing::freshSession();
}

TEST(CommandLine, ALongLineScrollsSidewaysToKeepTheCursorInView) {
    useFontMetrics(testing::syntheticFont());
    const LineMeasure measure = [](const std::string& text) { return textWidth(text, 2); };
    const float visible = 30;
    CommandEditor editor([](const std::string&) {});
    // What the drawing shows: the line from the first shown byte, cursor mark included.
    const auto shown = [&] {
        editor.firstShown = firstShownByte(editor.commandLine, editor.cursor, editor.firstShown, visible, measure);
        return editor.promptText().substr(2 + editor.firstShown);
    };
    const auto cursorInView = [&] {
        const std::string text = shown();
        const std::size_t mark = editor.cursor - editor.firstShown;
        return text[mark] == '_' && measure(text.substr(0, mark + 1)) <= visible;
    };
    for (int i = 0; i < 100; ++i) {
        editor.onCharacter(static_cast<char>('a' + i % 26));
        ASSERT_TRUE(cursorInView()) << i;
    }
    EXPECT_GT(editor.firstShown, 60u) << "the start of a 100-character line has scrolled away";
    EXPECT_EQ(shown().back(), '_');
    for (int i = 0; i < 100; ++i) {
        editor.onKey(keyLeft);
        ASSERT_TRUE(cursorInView()) << i;
    }
    EXPECT_EQ(editor.firstShown, 0u);
    // Deleting from the start pulls the rest in; a short recalled line shows whole.
    for (int i = 0; i < 90; ++i) editor.onKey(keyDelete);
    EXPECT_EQ(shown(), "_" + editor.commandLine);
    editor.submit();
    EXPECT_EQ(shown(), "_");
    EXPECT_EQ(editor.firstShown, 0u);
}

}  // namespace
}  // namespace vexmolda

#include "gui/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command/Session.h"
#include "gui/CommandRunner.h"
#include "gui/GlfwAdapter.h"
#include "support/Session.h"

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
    EXPECT_TRUE(session.switches.dirty);
    EXPECT_NE(session.model.findType("foo"), nullptr);
    for (char character : std::string("frobnicate")) editor.onCharacter(character);
    editor.submit();
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

TEST(CommandLine, HandlersTakePressesAndSingleBytesOnly) {
    CommandEditor& editor = commandEditor();
    editor.commandLine.clear();
    editor.cursor = 0;
    handleCharacter('a', actionPress);
    handleCharacter('b', actionRelease);
    handleCharacter(0xE9, actionPress);
    handleCharacter(0x263A, actionPress);
    EXPECT_EQ(editor.commandLine, "a\xE9");
    handleKey(keyBackspace, actionRelease);
    EXPECT_EQ(editor.commandLine, "a\xE9");
    handleKey(keyBackspace, actionPress);
    EXPECT_EQ(editor.commandLine, "a");
    editor.commandLine.clear();
    editor.cursor = 0;
}

}  // namespace
}  // namespace vexmolda

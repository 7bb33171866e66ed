#pragma once
// The one-line command editor at the bottom of the window, its history, and
// the message panel above it.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

namespace vexmolda {

// The line being edited, the insertion point and the submitted lines.
class CommandEditor {
public:
    // Runs one submitted line.
    using Runner = std::function<void(const std::string&)>;

    // Submitted lines go to the runner (none: they are only filed); Escape
    // calls the stop action.
    explicit CommandEditor(Runner runner = {}, std::function<void()> stop = {});

    // A key press (repeats included), by key code; unknown keys do nothing.
    void onKey(int key);
    // Inserts a typed byte at the cursor.
    void onCharacter(char character);
    // Inserts a typed character, as its UTF-8 bytes, at the cursor.
    void onCharacter(const std::string& utf8);
    // Hands the line to the runner and files it in the history; empty lines are ignored.
    void submit();
    // "> ", the line with "_" at the cursor.
    std::string promptText() const;

    std::string commandLine;
    std::size_t cursor = 0;           // a byte position at the start of a character
    std::size_t firstShown = 0;       // first byte shown after the prompt; kept by the drawing
    std::deque<std::string> history;  // newest first
    int historyIndex = -1;            // -1 while not browsing

private:
    void recall(int index);
    Runner runner;
    std::function<void()> stop;
};

// Submitted lines kept for recall.
constexpr std::size_t historyLimit = 20;

// Whether the panel lists the messages; flipped by the "^^" tab.
extern bool showMessages;

// The editor of the window's command line.
CommandEditor& commandEditor();

// The left edge of the message panel and the command line, right of the tabs.
constexpr float commandAreaLeft = 2.65f;

// Message lines the panel shows at once: it never covers more than half the window.
constexpr std::size_t panelLineLimit = 18;

// The top of the message panel for the number of message lines.
float panelTop(bool messagesShown, std::size_t messageLines);
// The first of the panel's lines after moving its list by wheel notches
// (positive towards the first message), so that the last page stays full.
std::size_t scrolledFirstLine(std::size_t firstLine, float notches, std::size_t messageLines);

// Where the message panel's list stands; back at its start when the messages are replaced.
struct MessageScroll {
    std::size_t firstLine = 0;
    std::uint64_t seenClears = 0;  // the messages' content stamp it belongs to
};
MessageScroll& messageScroll();

// The width of a text as drawn.
using LineMeasure = std::function<float(const std::string&)>;
// The first byte of the line to show so that the text up to the cursor mark
// fits visibleWidth; from previousFirst, moved by whole characters, and back
// towards the start while the rest of the line leaves room.
std::size_t firstShownByte(const std::string& line, std::size_t cursor, std::size_t previousFirst, float visibleWidth,
                           const LineMeasure& measure);

// Key and character handlers: presses only.
void handleKey(int key, int action);
void handleCharacter(const std::string& utf8, int action);

}  // namespace vexmolda

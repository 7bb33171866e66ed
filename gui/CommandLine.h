#pragma once
// The one-line command editor at the bottom of the window, its history, and
// the message panel above it.

#include <cstddef>
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
    // Inserts a typed character at the cursor.
    void onCharacter(char character);
    // Hands the line to the runner and files it in the history; empty lines are ignored.
    void submit();
    // "> ", the line with "_" at the cursor.
    std::string promptText() const;

    std::string commandLine;
    std::size_t cursor = 0;
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

// The top of the message panel for the number of message lines.
float panelTop(bool messagesShown, std::size_t messageLines);

// Key and character handlers: presses only; characters beyond one byte are dropped.
void handleKey(int key, int action);
void handleCharacter(int character, int action);

}  // namespace vexmolda

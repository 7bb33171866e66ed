#include "gui/CommandLine.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "gui/GlfwAdapter.h"
#include "gui/Utf8.h"

namespace vexmolda {

bool showMessages = true;

CommandEditor::CommandEditor(Runner runner, std::function<void()> stop)
    : runner(std::move(runner)), stop(std::move(stop)) {}

void CommandEditor::recall(int index) {
    historyIndex = index;
    commandLine = history[static_cast<std::size_t>(index)];
    cursor = commandLine.size();
}

void CommandEditor::onKey(int key) {
    using namespace windowing;
    switch (key) {
        case keyUp:
            if (historyIndex + 1 < static_cast<int>(history.size())) recall(historyIndex + 1);
            break;
        case keyDown:
            if (historyIndex >= 1) recall(historyIndex - 1);
            break;
        // The editing keys step over whole UTF-8 characters.
        case keyLeft:
            cursor = utf8Previous(commandLine, cursor);
            break;
        case keyRight:
            cursor += utf8Length(commandLine, cursor);
            break;
        case keyBackspace: {
            const std::size_t start = utf8Previous(commandLine, cursor);
            commandLine.erase(start, cursor - start);
            cursor = start;
            break;
        }
        case keyDelete:
            commandLine.erase(cursor, utf8Length(commandLine, cursor));
            break;
        case keyEnter:
        case keyKeypadEnter:
            submit();
            break;
        case keyEscape:
            if (stop) stop();
            break;
        default:
            break;
    }
}

void CommandEditor::onCharacter(char character) {
    commandLine.insert(cursor, 1, character);
    ++cursor;
}

void CommandEditor::onCharacter(const std::string& utf8) {
    commandLine.insert(cursor, utf8);
    cursor += utf8.size();
}

void CommandEditor::submit() {
    if (commandLine.empty()) return;
    const std::string line = commandLine;
    if (runner) runner(line);
    history.push_front(line);
    if (history.size() > historyLimit) history.pop_back();
    commandLine.clear();
    cursor = 0;
    firstShown = 0;
    historyIndex = -1;
}

std::string CommandEditor::promptText() const {
    return "> " + commandLine.substr(0, cursor) + "_" + commandLine.substr(cursor);
}

CommandEditor& commandEditor() {
    static CommandEditor editor;
    return editor;
}

float panelTop(bool messagesShown, std::size_t messageLines) {
    const float restingTop = 95.5f;
    if (!messagesShown) return restingTop;
    return restingTop - 2.5f * static_cast<float>(std::min(messageLines, panelLineLimit));
}

std::size_t scrolledFirstLine(std::size_t firstLine, float notches, std::size_t messageLines) {
    const std::size_t last = messageLines > panelLineLimit ? messageLines - panelLineLimit : 0;
    const double moved = static_cast<double>(firstLine) - std::round(static_cast<double>(notches));
    if (!(moved > 0)) return 0;
    return std::min(static_cast<std::size_t>(moved), last);
}

MessageScroll& messageScroll() {
    static MessageScroll scroll;
    return scroll;
}

std::size_t firstShownByte(const std::string& line, std::size_t cursor, std::size_t previousFirst, float visibleWidth,
                           const LineMeasure& measure) {
    assert(cursor <= line.size());
    const auto shown = [&](std::size_t first, std::size_t end) {
        return measure(line.substr(first, cursor - first) + "_" + line.substr(cursor, end - cursor));
    };
    std::size_t first = std::min(previousFirst, cursor);
    // The cursor went off the right edge: the text moves left under it.
    while (first < cursor && shown(first, cursor) > visibleWidth) first += utf8Length(line, first);
    // A shorter line, or a recalled one, fills the room at the right from the left.
    while (first > 0 && shown(utf8Previous(line, first), line.size()) <= visibleWidth) first = utf8Previous(line, first);
    return first;
}

void handleKey(int key, int action) {
    if (action == windowing::actionRelease) return;
    commandEditor().onKey(key);
}

void handleCharacter(const std::string& utf8, int action) {
    if (action == windowing::actionRelease) return;
    commandEditor().onCharacter(utf8);
}

}  // namespace vexmolda

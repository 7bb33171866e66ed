#include "gui/CommandLine.h"

#include "gui/GlfwAdapter.h"

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
        case keyLeft:
            if (cursor > 0) --cursor;
            break;
        case keyRight:
            if (cursor < commandLine.size()) ++cursor;
            break;
        case keyBackspace:
            if (cursor > 0) {
                --cursor;
                commandLine.erase(cursor, 1);
            }
            break;
        case keyDelete:
            if (cursor < commandLine.size()) commandLine.erase(cursor, 1);
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

void CommandEditor::submit() {
    if (commandLine.empty()) return;
    const std::string line = commandLine;
    if (runner) runner(line);
    history.push_front(line);
    if (history.size() > historyLimit) history.pop_back();
    commandLine.clear();
    cursor = 0;
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
    return restingTop - 2.5f * static_cast<float>(messageLines);
}

void handleKey(int key, int action) {
    if (action == windowing::actionRelease) return;
    commandEditor().onKey(key);
}

void handleCharacter(int character, int action) {
    if (action == windowing::actionRelease) return;
    if (character < 0 || character > 255) return;
    commandEditor().onCharacter(static_cast<char>(static_cast<unsigned char>(character)));
}

}  // namespace vexmolda

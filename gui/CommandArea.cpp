#include "gui/CommandArea.h"

#include <algorithm>

#include "command/Session.h"
#include "gui/CommandLine.h"
#include "gui/CommandRunner.h"
#include "gui/Draw.h"
#include "gui/Font.h"

namespace vexmolda {

namespace {

constexpr float textLeft = 4;

}  // namespace

std::vector<std::string> panelLines(const std::vector<std::string>& messages, const std::string& progress,
                                    std::size_t waiting) {
    std::vector<std::string> lines = messages;
    if (!progress.empty()) lines.push_back(progress + " - Escape stops it");
    if (waiting == 1) lines.push_back("1 line waits to run");
    if (waiting > 1) lines.push_back(std::to_string(waiting) + " lines wait to run");
    return lines;
}

std::vector<std::string> panelLines(const Session& session, const CommandRunner& runner) {
    return panelLines(session.messages.lines, runner.progressText(), runner.waiting());
}

void drawCommandArea(const Session& session, const CommandRunner& runner) {
    const std::vector<std::string> lines = panelLines(session, runner);
    const float top = panelTop(showMessages, lines.size());
    draw::setColorF(0.75f, 0.75f, 0.75f);
    draw::fillRect(2.65f, top, 100 - 2.65f, 100 - top);
    draw::setColorF(0.35f, 0.35f, 0.35f);
    draw::line(2.65f, top, 100, top);
    draw::line(2.65f, top, 2.65f, 100);
    draw::setTexturing(true);
    draw::setColorF(0, 0, 0);
    if (showMessages) {
        MessageScroll& scroll = messageScroll();
        const std::uint64_t stamp = session.messages.contentStamp();
        if (scroll.seenClears != stamp) scroll = {0, stamp};
        scroll.firstLine = scrolledFirstLine(scroll.firstLine, 0, lines.size());
        const std::size_t end = std::min(lines.size(), scroll.firstLine + panelLineLimit);
        float y = top - 2;
        for (std::size_t line = scroll.firstLine; line < end; ++line) {
            y += 2.5f;
            drawText(lines[line], textLeft, y, bodyTextSize, false);
        }
    }
    // The prompt stays; the line after it scrolls sideways to keep the cursor in view.
    CommandEditor& editor = commandEditor();
    const float promptWidth = std::max(0.0f, drawText("> ", textLeft, 97, bodyTextSize, false));
    const float lineLeft = textLeft + promptWidth;
    const float visibleWidth = 100 - lineLeft - 1;
    if (fontLoaded()) {
        editor.firstShown = firstShownByte(editor.commandLine, editor.cursor, editor.firstShown, visibleWidth,
                                           [](const std::string& text) { return textWidth(text, bodyTextSize); });
    }
    drawText(editor.promptText().substr(2 + editor.firstShown), lineLeft, 97, bodyTextSize, false);
}

}  // namespace vexmolda

#include "gui/CommandArea.h"

#include <algorithm>

#include "command/TextBuffer.h"
#include "gui/CommandLine.h"
#include "gui/Draw.h"
#include "gui/Font.h"

namespace vexmolda {

namespace {

constexpr float textSize = 2;
constexpr float textLeft = 4;

}  // namespace

void drawCommandArea() {
    const float top = panelTop(showMessages, messages.lines.size());
    draw::setColorF(0.75f, 0.75f, 0.75f);
    draw::fillRect(2.65f, top, 100 - 2.65f, 100 - top);
    draw::setColorF(0.35f, 0.35f, 0.35f);
    draw::line(2.65f, top, 100, top);
    draw::line(2.65f, top, 2.65f, 100);
    draw::setTexturing(true);
    draw::setColorF(0, 0, 0);
    if (showMessages) {
        MessageScroll& scroll = messageScroll();
        if (scroll.seenClears != messages.clearCount()) scroll = {0, messages.clearCount()};
        scroll.firstLine = scrolledFirstLine(scroll.firstLine, 0, messages.lines.size());
        const std::size_t end = std::min(messages.lines.size(), scroll.firstLine + panelLineLimit);
        float y = top - 2;
        for (std::size_t line = scroll.firstLine; line < end; ++line) {
            y += 2.5f;
            drawText(messages.lines[line], textLeft, y, textSize, false);
        }
    }
    // The prompt stays; the line after it scrolls sideways to keep the cursor in view.
    CommandEditor& editor = commandEditor();
    const float promptWidth = std::max(0.0f, drawText("> ", textLeft, 97, textSize, false));
    const float lineLeft = textLeft + promptWidth;
    const float visibleWidth = 100 - lineLeft - 1;
    if (fontLoaded()) {
        editor.firstShown = firstShownByte(editor.commandLine, editor.cursor, editor.firstShown, visibleWidth,
                                           [](const std::string& text) { return textWidth(text, textSize); });
    }
    drawText(editor.promptText().substr(2 + editor.firstShown), lineLeft, 97, textSize, false);
}

}  // namespace vexmolda

#include "gui/CommandArea.h"

#include "command/TextBuffer.h"
#include "gui/CommandLine.h"
#include "gui/Draw.h"
#include "gui/Font.h"

namespace vexmolda {

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
        float y = top - 2;
        for (const std::string& entry : messages.lines) {
            y += 2.5f;
            drawText(entry, 4, y, 2, false);
        }
    }
    drawText(commandEditor().promptText(), 4, 97, 2, false);
}

}  // namespace vexmolda

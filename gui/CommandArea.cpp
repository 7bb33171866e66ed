#include "gui/CommandArea.h"

#include "command/Session.h"
#include "gui/CommandRunner.h"
#include "gui/CommandLine.h"
#include "gui/Draw.h"
#include "gui/Font.h"

namespace vexmolda {

std::vector<std::string> panelLines(const std::vector<std::string>& messages, const std::string& progress,
                                    std::size_t waiting) {
    std::vector<std::string> lines = messages;
    if (!progress.empty()) lines.push_back(progress + " - Escape stops it");
    if (waiting == 1) lines.push_back("1 line waits to run");
    if (waiting > 1) lines.push_back(std::to_string(waiting) + " lines wait to run");
    return lines;
}

void drawCommandArea(const Session& session, const CommandRunner& runner) {
    const std::vector<std::string> lines = panelLines(session.messages.lines, runner.progressText(), runner.waiting());
    const float top = panelTop(showMessages, lines.size());
    draw::setColorF(0.75f, 0.75f, 0.75f);
    draw::fillRect(2.65f, top, 100 - 2.65f, 100 - top);
    draw::setColorF(0.35f, 0.35f, 0.35f);
    draw::line(2.65f, top, 100, top);
    draw::line(2.65f, top, 2.65f, 100);
    draw::setTexturing(true);
    draw::setColorF(0, 0, 0);
    if (showMessages) {
        float y = top - 2;
        for (const std::string& entry : lines) {
            y += 2.5f;
            drawText(entry, 4, y, 2, false);
        }
    }
    drawText(commandEditor().promptText(), 4, 97, 2, false);
}

}  // namespace vexmolda

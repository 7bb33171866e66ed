#include "gui/LogWindow.h"

#include "gui/Font.h"

namespace vexmolda {

LogWindow::LogWindow(const Session& session) : ScrollingWindow("Log"), session(session) {}

std::string logWindowText(const Session& session) {
    std::string text = session.log.text();
    if (session.currentPlan) text += "\n\n\n\nSolution:\n\n" + session.currentPlan->toString();
    return text;
}

void LogWindow::drawContent() {
    // A long log stops at the bottom of the drawing area.
    drawTextWrapped(logWindowText(session), 1.5f, 1.5f, 98, heightLeftOnScreen(scroll, 1.5f), 2);
}

}  // namespace vexmolda

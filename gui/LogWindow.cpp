#include "gui/LogWindow.h"

#include "command/TextBuffer.h"
#include "gui/Font.h"
#include "solvers/Plan.h"

namespace vexmolda {

LogWindow::LogWindow() : ScrollingWindow("Log") {}

std::string logWindowText() {
    std::string text = log.text();
    if (currentPlan) text += "\n\n\n\nSolution:\n\n" + currentPlan->toString();
    return text;
}

void LogWindow::drawContent() {
    // A long log stops at the bottom of the drawing area.
    drawTextWrapped(logWindowText(), 1.5f, 1.5f, 98, heightLeftOnScreen(scroll, 1.5f), 2);
}

}  // namespace vexmolda

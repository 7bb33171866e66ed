#include "gui/LogWindow.h"

#include "command/TextBuffer.h"
#include "gui/Font.h"
#include "solvers/Plan.h"

namespace vexmolda {

LogWindow::LogWindow() : ScrollingWindow("Log", 2.65f, 0.1f, 97.25f, 99.8f) { setColor(128, 180, 255); }

std::string logWindowText() {
    std::string text = log.text();
    if (currentPlan) text += "\n\n\n\nSolution:\n\n" + currentPlan->toString();
    return text;
}

void LogWindow::drawSelf() {
    Window::drawSelf();
    if (!visible()) return;
    draw::setTexturing(true);
    draw::pushMatrix();
    draw::translate(0, scroll);
    draw::setColorF(0, 0, 0);
    // A long log stops at the bottom of the drawing area.
    drawTextWrapped(logWindowText(), 1.5f, 1.5f, 98, heightLeftOnScreen(scroll, 1.5f), 2);
    draw::setTexturing(false);
    draw::popMatrix();
}

}  // namespace vexmolda

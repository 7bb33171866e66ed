#include "gui/ScrollingWindow.h"

#include "gui/Draw.h"
#include "gui/ScrollText.h"

#include <utility>

namespace vexmolda {

ScrollingWindow::ScrollingWindow(std::string title) : Window(std::move(title), 2.65f, 0.1f, 97.25f, 99.8f) {
    setColor(128, 180, 255);
}

void ScrollingWindow::onScroll(float delta) { onDrag(0, scrollPerNotch * delta); }

void ScrollingWindow::onDrag(float, float dy) { scroll = scrolledBy(scroll, dy); }

void ScrollingWindow::drawSelf() {
    Window::drawSelf();
    if (!visible()) return;
    draw::setTexturing(true);
    draw::pushMatrix();
    draw::translate(0, scroll);
    draw::setColorF(0, 0, 0);
    drawContent();
    draw::setTexturing(false);
    draw::popMatrix();
}

float heightLeftOnScreen(float scroll, float y) {
    // One line more than fits, so a partly visible last line is still drawn.
    constexpr float lineAllowance = 2;
    const float left = 100 - scroll - y + lineAllowance;
    return left > lineAllowance ? left : lineAllowance;
}

}  // namespace vexmolda

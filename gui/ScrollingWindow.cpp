#include "gui/ScrollingWindow.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "gui/Draw.h"
#include "gui/ScrollText.h"

namespace vexmolda {

namespace {
// The command line's strip at the bottom of the drawing area covers the windows.
constexpr float commandStripHeight = 4.5f;
}  // namespace

ScrollingWindow::ScrollingWindow(std::string title) : Window(std::move(title), 2.65f, 0.1f, 97.25f, 99.8f) {
    setColor(128, 180, 255);
}

float ScrollingWindow::viewHeight() const { return height - commandStripHeight; }

void ScrollingWindow::onScroll(float delta) { onDrag(0, scrollPerNotch * delta); }

void ScrollingWindow::onDrag(float, float dy) {
    keepScrollInContent();
    scroll = scrollWithin(scrolledBy(scroll, dy), contentBottom(), viewHeight());
}

bool ScrollingWindow::returnToStart() {
    scroll = 0;
    return true;
}

void ScrollingWindow::keepScrollInContent() {
    const std::uint64_t stamp = contentStamp();
    if (stamp != shownStamp) {
        shownStamp = stamp;
        scroll = 0;
    }
    scroll = scrollWithin(scroll, contentBottom(), viewHeight());
}

void ScrollingWindow::drawSelf() {
    Window::drawSelf();
    if (!visible()) return;
    keepScrollInContent();
    draw::setTexturing(true);
    draw::pushMatrix();
    draw::translate(0, scroll);
    draw::setColorF(0, 0, 0);
    drawContent();
    draw::setTexturing(false);
    draw::popMatrix();
}

float scrollWithin(float scroll, float contentBottom, float viewHeight) {
    const float lowest = std::min(0.0f, viewHeight - contentBottom);
    return std::clamp(scroll, lowest, 0.0f);
}

float heightLeftOnScreen(float scroll, float y) {
    // One line more than fits, so a partly visible last line is still drawn.
    constexpr float lineAllowance = 2;
    const float left = 100 - scroll - y + lineAllowance;
    return left > lineAllowance ? left : lineAllowance;
}

RowRange rowsOnScreen(float scroll, float top, float rowHeight, std::size_t rows) {
    const float total = static_cast<float>(rows);
    const float first = std::floor((-scroll - top) / rowHeight);
    const float end = std::ceil((100 - scroll - top) / rowHeight) + 1;
    return {static_cast<std::size_t>(std::clamp(first, 0.0f, total)),
            static_cast<std::size_t>(std::clamp(end, 0.0f, total))};
}

}  // namespace vexmolda

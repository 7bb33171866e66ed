#include "gui/ScrollingWindow.h"

#include "gui/ScrollText.h"

namespace vexmolda {

void ScrollingWindow::onScroll(float delta) { onDrag(0, scrollPerNotch * delta); }

void ScrollingWindow::onDrag(float, float dy) { scroll = scrolledBy(scroll, dy); }

float heightLeftOnScreen(float scroll, float y) {
    // One line more than fits, so a partly visible last line is still drawn.
    constexpr float lineAllowance = 2;
    const float left = 100 - scroll - y + lineAllowance;
    return left > lineAllowance ? left : lineAllowance;
}

}  // namespace vexmolda

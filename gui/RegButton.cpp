#include "gui/RegButton.h"

#include "gui/Font.h"

namespace vexmolda {

RegButton::RegButton(Window* parent, std::string label, float x, float y, float width, float height)
    : Button(std::move(label), x, y, width, height, parent) {
    color = buttonGrey;
}

void RegButton::drawSelf() {
    drawBodyAndBorder();
    draw::setColorF(0, 0, 0);
    draw::setTexturing(true);
    drawText(label, 0.5f, 0.5f, 2, false);
    draw::setTexturing(false);
}

}  // namespace vexmolda

#include "gui/Button.h"

#include "gui/Font.h"

namespace vexmolda {

Button::Button(std::string label, float x, float y, float width, float height, GuiElement* parent)
    : GuiElement(x, y, width, height, parent ? parent : &guiRoot), label(std::move(label)) {
    color = buttonGrey;
}

void Button::drawBodyAndBorder() {
    GuiElement::drawSelf();
    draw::setLineWidth(1);
    draw::setColorF(0.25f, 0.25f, 0.25f);
    draw::strokeRect(0, 0, width, height);
}

void Button::drawSelf() {
    drawBodyAndBorder();
    draw::setColorF(0, 0, 0);
    draw::setTexturing(true);
    for (std::size_t i = 0; i < label.size(); ++i)
        drawText(std::string(1, label[i]), 0.5f, 1 + 2 * static_cast<float>(i), 2, false);
    draw::setTexturing(false);
}

}  // namespace vexmolda

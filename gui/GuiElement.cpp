#include "gui/GuiElement.h"

namespace vexmolda {

GuiElement guiRoot(0, 0, 100, 100);

GuiElement::GuiElement(float x, float y, float width, float height, GuiElement* parent)
    : x(x), y(y), width(width), height(height) {
    if (parent) parent->children.push_back(this);
}

bool insideRect(float px, float py, float x, float y, float width, float height) {
    return !(px < x || px > x + width || py < y || py > y + height);
}

void GuiElement::setColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) { color = {r, g, b}; }

GuiElement* GuiElement::hitTest(float px, float py) {
    if (!insideRect(px, py, x, y, width, height)) return nullptr;
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        if (GuiElement* hit = (*child)->hitTest(px - x, py - y)) return hit;
    }
    return this;
}

void GuiElement::setPosition(float newX, float newY) {
    x = newX;
    y = newY;
}

void GuiElement::setSize(float newWidth, float newHeight) {
    width = newWidth;
    height = newHeight;
}

void GuiElement::update(float dt) {
    for (GuiElement* child : children) child->update(dt);
}

void GuiElement::onMouseEnter() {}

void GuiElement::onMouseLeave() {}

void GuiElement::draw() {
    draw::pushMatrix();
    draw::translate(x, y);
    drawSelf();
    for (GuiElement* child : children) child->draw();
    draw::popMatrix();
}

void GuiElement::drawSelf() {
    draw::setColor(color);
    draw::fillRect(0, 0, width, height);
}

void GuiElement::onClick() {}

void GuiElement::onScroll(float) {}

void GuiElement::onMouseMove(float, float) {}

void GuiElement::onDrag(float, float) {}

}  // namespace vexmolda

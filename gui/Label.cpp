#include "gui/Label.h"

#include "gui/Font.h"

namespace vexmolda {

Label::Label(std::string text, float x, float y, float width, float height)
    : GuiElement(x, y, width, height, &guiRoot), text(std::move(text)) {
    color = {255, 255, 128};
    this->width = textWidth(this->text, labelTextSize) + 1;
}

void Label::setText(const std::string& newText) {
    text = newText;
    width = textWidth(text, labelTextSize) + 1;
    height = labelHeightFor(text);
}

float labelHeightFor(const std::string& text) {
    std::size_t lines = 0;
    for (char byte : text) lines += byte == '\n';
    if (!text.empty() && text.back() != '\n') ++lines;
    return static_cast<float>(lines) * labelTextSize + 0.75f;
}

void Label::drawSelf() {
    GuiElement::drawSelf();
    draw::setColorF(0.15f, 0.15f, 0.15f);
    draw::strokeRect(0, 0, width, height);
    draw::setColorF(0, 0, 0);
    draw::setTexturing(true);
    drawText(text, 0.5f, 0.25f, labelTextSize, false);
    draw::setTexturing(false);
}

}  // namespace vexmolda

#pragma once
// A light yellow box with one text in it, as wide as the text; the tooltip.

#include <string>

#include "gui/GuiElement.h"

namespace vexmolda {

// A text box sized to its text at size 1.75.
class Label : public GuiElement {
public:
    // A child of guiRoot; the given width is replaced by the text's width plus 1.
    Label(std::string text, float x, float y, float width, float height);

    void drawSelf() override;
    // Replaces the text and sizes the box to it, in place (a tooltip being shown stays the same element).
    void setText(const std::string& newText);

    std::string text;
};

// The text size of labels.
constexpr float labelTextSize = 1.75f;

// The height of a label holding the text's lines (each ended by a line end).
float labelHeightFor(const std::string& text);

}  // namespace vexmolda

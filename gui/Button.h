#pragma once
// A grey button with a caption written top to bottom, one character per line.

#include <string>

#include "gui/GuiElement.h"

namespace vexmolda {

// A labelled button; what a click does belongs to its subclasses.
class Button : public GuiElement {
public:
    // A child of guiRoot when no parent is given.
    Button(std::string label, float x, float y, float width, float height, GuiElement* parent = nullptr);

    // Fill, dark border and the vertical caption.
    void drawSelf() override;

    std::string label;

protected:
    // The fill and the dark border every button has; texturing is left off.
    void drawBodyAndBorder();
};

// The grey of a button at rest and of a toggle that is off and on.
inline constexpr Rgb buttonGrey{180, 180, 180};
inline constexpr Rgb toggleOffGrey{220, 220, 220};
inline constexpr Rgb toggleOnGrey{128, 128, 128};

}  // namespace vexmolda

#pragma once
// A button inside a window with its caption on one horizontal line.

#include "gui/Button.h"
#include "gui/Window.h"

namespace vexmolda {

// A horizontal-caption button; subclasses decide what a click does.
class RegButton : public Button {
public:
    // A child of the given window, positioned relative to it.
    RegButton(Window* parent, std::string label, float x, float y, float width, float height);

    // Fill, dark border and the caption at (0.5, 0.5) in size 2.
    void drawSelf() override;
};

}  // namespace vexmolda

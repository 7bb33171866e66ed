#pragma once
// A tab button that opens and closes one window.

#include "gui/Button.h"
#include "gui/Window.h"

namespace vexmolda {

// Toggles its target window when clicked.
class OCButton : public Button {
public:
    // Always a child of guiRoot.
    OCButton(Window* target, std::string label, float x, float y, float width, float height);

    void onClick() override;

    Window* target;
};

}  // namespace vexmolda

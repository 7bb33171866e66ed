#pragma once
// The tab button that shows or hides the message panel.

#include "gui/Button.h"

namespace vexmolda {

// Flips showMessages; dark while the panel is shown.
class ERRButton : public Button {
public:
    // Always a child of guiRoot.
    ERRButton(std::string label, float x, float y, float width, float height);

    void drawSelf() override;
    void onClick() override;
};

}  // namespace vexmolda

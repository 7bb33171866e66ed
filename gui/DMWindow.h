#pragma once
// The window that shows the loaded domain as text.

#include "gui/Window.h"

namespace vexmolda {

// The window that shows the loaded domain as text.
class DMWindow : public Window {
public:
    // Made once by initGui with no arguments.
    DMWindow();
};

}  // namespace vexmolda

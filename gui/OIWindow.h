#pragma once
// The window that lists the operation instances.

#include "gui/Window.h"

namespace vexmolda {

// The window that lists the operation instances.
class OIWindow : public Window {
public:
    // Made once by initGui with no arguments.
    OIWindow();
};

}  // namespace vexmolda

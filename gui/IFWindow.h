#pragma once
// The window that draws the interference table.

#include "gui/Window.h"

namespace vexmolda {

// The window that draws the interference table.
class IFWindow : public Window {
public:
    // Made once by initGui with no arguments.
    IFWindow();
};

}  // namespace vexmolda

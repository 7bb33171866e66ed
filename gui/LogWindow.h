#pragma once
// The window that shows the log and the current plan.

#include "gui/Window.h"

namespace vexmolda {

// The window that shows the log and the current plan.
class LogWindow : public Window {
public:
    // Made once by initGui with no arguments.
    LogWindow();
};

}  // namespace vexmolda

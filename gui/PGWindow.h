#pragma once
// The window that draws the planning graph.

#include "gui/Window.h"

namespace vexmolda {

// The window that draws the planning graph.
class PGWindow : public Window {
public:
    // Made once by initGui with no arguments.
    PGWindow();
};

}  // namespace vexmolda

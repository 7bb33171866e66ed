#pragma once
// What the program makes of a window size event: plain arithmetic, no GL.

#include "gui/GlfwAdapter.h"

namespace vexmolda {

// The viewport in framebuffer pixels and the size pointer positions are
// divided by, in the window's screen coordinates.
struct WindowGeometry {
    int viewportWidth = 800;
    int viewportHeight = 600;
    int pointerWidth = 800;
    int pointerHeight = 600;
    bool operator==(const WindowGeometry&) const = default;
};

// Follows the sizes the user gave the window; a zero side (a minimised
// window) keeps the previous value. It never asks for another window size:
// answering a size event with a resize queues the next event, for ever.
WindowGeometry followWindowSize(const WindowGeometry& previous, const windowing::WindowSizes& sizes);

}  // namespace vexmolda

#pragma once
// The application window: start-up of the window system and the widgets,
// and one frame of input, animation and drawing.

#include "gui/GlfwAdapter.h"
#include "gui/IdleWait.h"
#include "gui/TabColumn.h"

namespace vexmolda {

// Opens the window, sets up drawing, loads the font and makes the windows and
// tabs; prints a line and leaves the window closed when that fails.
void initGui();
// Ends the process when the window is gone (closed, or never opened).
void endIfWindowClosed();
// One frame of the input handled so far: animates by the time since the last
// frame (none right after an idle wait), draws, and shows the result.
void drawFrame(bool afterIdleWait = false);
// What keeps frames coming without input: the first frame, a sliding window.
LoopActivity loopActivity();
// The five windows made by initGui (all none before).
const WindowSet& guiWindows();
// Makes the five windows in drawing order, then the tab column; initGui calls it.
WindowSet createWidgets();

// Key handler: Home brings an open graph window back to its initial view;
// every other key goes to the command line.
void handleWindowKey(int key, int action);
// Wheel handler: over the message panel it scrolls the messages, elsewhere
// the element under the pointer.
void handleWindowWheel(int position);

// Window size handler: keeps the viewport on the whole framebuffer and the
// pointer conversion on the window's size.
void handleWindowSize(const windowing::WindowSizes& sizes);

}  // namespace vexmolda

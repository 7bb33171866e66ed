#pragma once
// The application window: start-up of the window system and the widgets,
// and one frame of input, animation and drawing.

#include "gui/TabColumn.h"

namespace vexmolda {

// Opens the window, sets up drawing, loads the font and makes the windows and
// tabs; prints a line and leaves the window closed when that fails.
void initGui();
// One frame: ends the process when the window is gone, else shows the last
// frame, handles input, animates and draws the next one.
void drawFrame();
// The five windows made by initGui (all none before).
const WindowSet& guiWindows();
// Makes the five windows in drawing order, then the tab column; initGui calls it.
WindowSet createWidgets();

// Window size handler: keeps the viewport on the whole window.
void handleWindowSize(int width, int height);

}  // namespace vexmolda

#pragma once
// The application window: start-up of the window system and the widgets,
// and one frame of input, animation and drawing.

#include "gui/CommandRunner.h"
#include "gui/TabColumn.h"

namespace vexmolda {

// Opens the window, sets up drawing, loads the font and makes the windows and
// tabs over the session; prints a line and leaves the window closed when that fails.
void initGui(Session& session, CommandRunner& runner);
// One frame: false when the window is gone, else shows the last frame,
// handles input, animates and draws the next one.
bool drawFrame();
// The five windows made by initGui (all none before).
const WindowSet& guiWindows();
// Makes the five windows in drawing order, then the tab column; initGui calls
// it. The build button hands its grounding to the runner.
WindowSet createWidgets(Session& session, CommandRunner& runner);

// Window size handler: keeps the viewport on the whole window.
void handleWindowSize(int width, int height);

}  // namespace vexmolda

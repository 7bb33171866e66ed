#pragma once
// The application window: start-up of the window system and the widgets,
// and one frame of input, animation and drawing.

#include "gui/CommandRunner.h"
#include "gui/GlfwAdapter.h"
#include "gui/IdleWait.h"
#include "gui/TabColumn.h"

namespace vexmolda {

// Points the frames and the input handlers at the session and the runner;
// initGui does it first.
void attachSession(Session& session, CommandRunner& runner);
// Opens the window, sets up drawing, loads the font and makes the windows and
// tabs over the session; prints a line and leaves the window closed when that fails.
void initGui(Session& session, CommandRunner& runner);
// One frame of the input handled so far: animates by the time since the last
// frame (none right after an idle wait), draws, and shows the result.
void drawFrame(bool afterIdleWait = false);
// What keeps frames coming without input: the first frame, a sliding window,
// work running or waiting.
LoopActivity loopActivity();
// The five windows made by initGui (all none before).
const WindowSet& guiWindows();
// Makes the five windows in drawing order, then the tab column; initGui calls
// it. The instance buttons' actions go to the runner's queue.
WindowSet createWidgets(Session& session, CommandRunner& runner);

// Key handler: Home (with Ctrl or without) brings the open window back to its
// start (a graph's initial view, a text's top); every other key goes to the command line.
void handleWindowKey(int key, int action);
// Wheel handler: over the message panel it scrolls the messages, elsewhere
// the element under the pointer.
void handleWindowWheel(int position);

// Window size handler: keeps the viewport on the whole framebuffer and the
// pointer conversion on the window's size.
void handleWindowSize(const windowing::WindowSizes& sizes);

}  // namespace vexmolda

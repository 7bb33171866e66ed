#include "gui/MainLoop.h"

#include <unistd.h>

#include "command/LoadFile.h"
#include "command/Report.h"
#include "command/Switches.h"
#include "gui/AppWindow.h"
#include "gui/FramePacer.h"
#include "gui/GlfwAdapter.h"

namespace vexmolda {

void mainLoop() {
    // Escape codes that clear a terminal would only clutter a pipe or a log file.
    const bool clearScreen = isatty(STDOUT_FILENO) != 0;
    for (;;) {
        const double frameStart = windowing::getTime();
        if (dirty) printReport(clearScreen);
        // Input callbacks, and so typed commands, run inside the poll or the wait.
        const unsigned long eventsBefore = windowing::eventCount();
        const bool waited = shouldWaitForEvents(loopActivity());
        if (waited) {
            windowing::waitEvents(idleWaitSeconds);
        } else {
            windowing::pollEvents();
        }
        endIfWindowClosed();
        if (!shouldDrawFrame(waited, eventsBefore, windowing::eventCount())) continue;
        drawFrame(waited);
        // Without vertical sync the loop would spin a core at hundreds of frames a second.
        paceFrame(frameStart);
    }
}

void runWindowProgram(const ProgramOptions& options) {
    initGui();
    loadStartupDomain(options);
    mainLoop();
}

}  // namespace vexmolda

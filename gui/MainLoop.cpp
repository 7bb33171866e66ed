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
        drawFrame();
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

#include "gui/MainLoop.h"

#include <unistd.h>

#include <cstdio>

#include "command/Report.h"
#include "command/Session.h"
#include "gui/AppWindow.h"
#include "gui/CommandLine.h"
#include "gui/CommandRunner.h"
#include "gui/FramePacer.h"
#include "gui/GlfwAdapter.h"

namespace vexmolda {

void mainLoop(Session& session, CommandRunner& runner) {
    // Escape codes that clear a terminal would only clutter a pipe or a log file.
    const bool clearScreen = isatty(STDOUT_FILENO) != 0;
    while (!session.quitRequested) {
        const double frameStart = windowing::getTime();
        bool changed = runner.finishEndedWork();
        if (session.quitRequested) break;
        // While work runs the report waits for it: one report per command.
        if (session.switches.dirty && !runner.busy()) printReport(session, clearScreen);
        changed = runner.runNext() || changed;
        if (session.quitRequested) break;
        // Input callbacks, and so typed commands, run inside the poll or the wait.
        const unsigned long eventsBefore = windowing::eventCount();
        LoopActivity activity = loopActivity();
        activity.sessionChanged = changed;
        const bool waited = shouldWaitForEvents(activity);
        if (waited) {
            windowing::waitEvents(idleWaitSeconds);
        } else {
            windowing::pollEvents();
        }
        if (session.quitRequested || !windowing::windowOpened()) break;
        if (!shouldDrawFrame(waited, eventsBefore, windowing::eventCount())) continue;
        drawFrame(waited);
        // Without vertical sync the loop would spin a core at hundreds of frames a second.
        paceFrame(frameStart);
    }
    runner.stopAndWait();
}

int runWindowProgram(const ProgramOptions& options) {
    Session session;
    CommandRunner runner(session);
    applyProgramOptions(session, options);
    initGui(session, runner);
    commandEditor() = CommandEditor([&runner](const std::string& line) { runner.submitLine(line); },
                                    [&runner] { runner.stop(); });
    if (!windowing::windowOpened()) {
        // No window: the start-up domain and its report, then the end.
        std::unique_ptr<LongJob> startup = startupJob(session, options);
        startup->run();
        startup->finish();
        printReport(session, isatty(STDOUT_FILENO) != 0);
        return 0;
    }
    runner.submitAction([&session, &options] { return startupJob(session, options); }, startupDescription(options),
                        true);
    // Started before the first frame, so the first report is the start-up domain's.
    runner.runNext();
    mainLoop(session, runner);
    std::fflush(stdout);
    windowing::terminate();
    return 0;
}

}  // namespace vexmolda

#pragma once
// The program's one loop: the report when something changed, then a frame.

#include "pddl/ProgramOptions.h"

namespace vexmolda {

class CommandRunner;
class Session;

// Runs until "q" or the window closes: adopts ended work, prints the report
// after each command, starts what waits, draws a frame.
void mainLoop(Session& session, CommandRunner& runner);

// Brings the window up, loads the start-up domain (or the PDDL task of the
// options) beside the first frames and runs the loop; the exit status.
int runWindowProgram(const ProgramOptions& options);

}  // namespace vexmolda

#pragma once
// The program's one loop: the report when something changed, then a frame.

#include "pddl/ProgramOptions.h"

namespace vexmolda {

// Runs for ever; the process ends inside a frame or a command.
[[noreturn]] void mainLoop();

// Brings the window up, loads the start-up domain (or the PDDL task of the
// options) and runs the loop.
[[noreturn]] void runWindowProgram(const ProgramOptions& options);

}  // namespace vexmolda

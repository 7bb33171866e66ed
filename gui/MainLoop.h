#pragma once
// The program's one loop: the report when something changed, then a frame.

namespace vexmolda {

// Runs for ever; the process ends inside a frame or a command.
[[noreturn]] void mainLoop();

// Brings the window up, loads the start-up domain and runs the loop.
[[noreturn]] void runWindowProgram();

}  // namespace vexmolda

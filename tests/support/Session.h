#pragma once
// The test process's session, and helpers that put it into a known state.

#include <cstdint>
#include <string>
#include <vector>

#include "command/Session.h"
#include "solvers/Plan.h"
#include "solvers/SolveResult.h"
#include "solvers/Solver.h"

namespace vexmolda::testing {

// The one session the tests of this process share.
Session& session();
// An empty domain (after a wipe), empty buffers, logging on, switches at their
// start values, no stop asked. The random numbers go on from where they were.
void freshSession();
// Executes each line as if typed.
void runLines(const std::vector<std::string>& lines);
// The messages buffer as one text.
std::string messageText();

// The report shows the plan of the last solve.
bool lastPlanIsCurrent();
// The layered plan of the last solve, a "graph" run.
const ParPlan& lastLayeredPlan();
// Runs the solver object once on the session's task, with the session's
// logging switch, control and random numbers, and leaves the rest of the
// session alone; the solver keeps its plan, the result has the log and counters.
SolveResult solveDirectly(Solver& solver, std::int32_t limit);

// Path of a file in the source tree.
std::string sourcePath(const std::string& relative);
// Runs vexmolda-batch with the arguments; returns its standard output and status.
struct BatchResult {
    std::string output;
    int status;
};
BatchResult runBatchProgram(const std::vector<std::string>& arguments, const std::string& workingDirectory = "");
// Runs a shell command line; returns its standard output and status.
BatchResult runShellCommand(const std::string& command);
// Writes a file and returns its path in a fresh temporary directory.
std::string writeTempFile(const std::string& name, const std::string& content);

}  // namespace vexmolda::testing

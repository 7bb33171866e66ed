#pragma once
// The "solve" flow, in two halves so the search can run beside the window.

#include <cstdint>
#include <memory>
#include <string>

#include "command/Session.h"
#include "solvers/Solver.h"

namespace vexmolda {

// Runs a solver on the session's task into a result of its own, then hands
// the result to the session.
class SolveJob {
public:
    SolveJob(Session& session, std::string solverName, std::int32_t limit);
    // The search, with the logging switch and the random numbers as they are
    // when it starts: reads the session's model, instances and states, writes
    // only the job's result and its copy of the random numbers.
    void run();
    // Clears the old plan and the log, adopts the result: log and solution
    // line, plan, graph, the random numbers drawn, the stop message and the
    // timing line.
    void finish();

private:
    Session& session;
    std::string solverName;
    std::int32_t limit;
    IslandRandom random;
    std::unique_ptr<SolveResult> result;
    WorkSummary summary;
    std::string stopText;
};

// Both halves at once.
void runSolver(Session& session, const std::string& name, std::int32_t limit);

}  // namespace vexmolda

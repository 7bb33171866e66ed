#include "command/RunSolver.h"

#include "command/StopMessage.h"

namespace vexmolda {

SolveJob::SolveJob(Session& session, std::string solverName, std::int32_t limit)
    : session(session), solverName(std::move(solverName)), limit(limit) {}

void SolveJob::run() {
    if (solverFactories().count(solverName) == 0 || !session.noTaskReason.empty()) return;
    const bool logging = session.logging();
    random = session.random;
    WorkControl& control = *session.control;
    const double cpuStart = threadCpuSeconds();
    const SolveTask task{session.model.facts, session.instances, session.model.initState, session.model.goalState,
                         limit, logging, session.heuristic};
    SolveContext context{control, random};
    result = runSolve(solverName, task, context);
    summary.solverName = solverName;
    summary.cpuSeconds = threadCpuSeconds() - cpuStart;
    summary.wallSeconds = control.phaseSeconds();
    if (result->stopped != StopReason::none) {
        result->statistics->adoptStoppedCounters(control);
        const MadeSoFar made = result->statistics->madeSoFar();
        stopText = stopMessage(result->stopped, control, made.count, made.noun) + "\n";
    }
    control.leaveLimitedPhase();
}

void SolveJob::finish() {
    if (!result) {
        session.messages.append(solverFactories().count(solverName) == 0
                                    ? "Unknown solver\n"
                                    : "No task to solve: " + session.noTaskReason + "\n");
        return;
    }
    session.currentPlan = nullptr;
    session.random = random;
    session.log = std::move(result->log);
    if (session.logging()) {
        session.log.append(std::string("\nSolution ") + (result->found ? "found" : "not found") + "\n");
    }
    if (result->graph) session.graph = result->graph;
    if (result->planShown) session.currentPlan = result->plan.get();
    if (!stopText.empty()) session.messages.append(stopText);
    session.messages.append(timingLine(result->cycles));
    session.lastSolve = std::move(result);
    if (session.hooks.afterSolve) session.hooks.afterSolve(session, *session.lastSolve, summary);
}

void runSolver(Session& session, const std::string& name, std::int32_t limit) {
    SolveJob job(session, name, limit);
    job.run();
    job.finish();
}

}  // namespace vexmolda

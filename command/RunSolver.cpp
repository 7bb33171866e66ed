#include "command/RunSolver.h"

#include "command/StopMessage.h"

namespace vexmolda {

namespace {

WorkKind kindOf(const std::string& solverName) {
    if (solverName == "a*") return WorkKind::aStarSearch;
    if (solverName == "graph") return WorkKind::graphSearch;
    return WorkKind::islandSearch;
}

// What the run had made when it stopped, for the stop message.
std::uint64_t madeSoFar(WorkKind kind, const SolverStatistics& statistics, std::string& noun) {
    switch (kind) {
        case WorkKind::aStarSearch:
            noun = "states";
            return statistics.statesStored;
        case WorkKind::graphSearch:
            noun = "recursions";
            return static_cast<std::uint64_t>(statistics.recursions);
        default:
            noun = "steps";
            return statistics.steps;
    }
}

}  // namespace

SolveJob::SolveJob(Session& session, std::string solverName, std::int32_t limit)
    : session(session), solverName(std::move(solverName)), limit(limit), logging(session.logging()) {}

void SolveJob::run() {
    if (solverFactories().count(solverName) == 0 || !session.noTaskReason.empty()) return;
    WorkControl& control = *session.control;
    const WorkKind kind = kindOf(solverName);
    control.enter(kind);
    const double cpuStart = threadCpuSeconds();
    const SolveTask task{session.model.facts, session.instances, session.model.initState, session.model.goalState,
                         limit, logging};
    SolveContext context{control, session.random};
    result = runSolve(solverName, task, context);
    summary.solverName = solverName;
    summary.cpuSeconds = threadCpuSeconds() - cpuStart;
    summary.wallSeconds = control.phaseSeconds();
    if (result->stopped != StopReason::none) {
        // The counters a stopped run kept in the control are its freshest.
        SolverStatistics& statistics = result->statistics;
        if (kind == WorkKind::aStarSearch) {
            statistics.statesStored = std::max(statistics.statesStored, control.second.load());
        }
        std::string noun;
        const std::uint64_t count = madeSoFar(kind, statistics, noun);
        stopText = stopMessage(result->stopped, control, count, noun) + "\n";
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

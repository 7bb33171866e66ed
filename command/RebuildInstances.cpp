#include "command/RebuildInstances.h"

#include "command/StopMessage.h"

namespace vexmolda {

void GroundingJob::run() {
    WorkControl& control = *session.control;
    control.enter(WorkKind::grounding);
    const double cpuStart = threadCpuSeconds();
    try {
        options = session.groundingOptions();
        newFacts = std::make_unique<FactPool>(&session.model.facts);
        const Model& model = session.model;
        Grounder grounder(model, *newFacts, built, options, messages);
        if (!grounder.buildAll(&control)) stopped = control.stopReason();
    } catch (const std::bad_alloc&) {
        stopped = StopReason::outOfMemory;
    }
    summary.cpuSeconds = threadCpuSeconds() - cpuStart;
    summary.wallSeconds = control.phaseSeconds();
    summary.bindings = control.first.load(std::memory_order_relaxed);
    if (stopped != StopReason::none) {
        const std::uint64_t made = built.size();
        // A stopped build leaves no instances, as if they had been wiped.
        built.clear();
        messages.append(stopMessage(stopped, control, made, "instances") + ": no instances built\n");
    }
    control.leaveLimitedPhase();
}

void GroundingJob::finish() {
    // A plan refers to instances; it is cleared but stays current.
    if (session.currentPlan) session.currentPlan->clear();
    if (session.lastSolve) {
        if (session.lastSolve->plan) session.lastSolve->plan->clear();
        session.lastSolve->graph.reset();
    }
    session.graph.reset();
    // Facts made before a stop stay too, as every fact once made does.
    try {
        if (newFacts) session.model.facts.absorb(*newFacts);
    } catch (const std::bad_alloc&) {
        // The pool is unchanged; the instances refer to facts it could not take.
        const std::uint64_t made = built.size();
        built.clear();
        stopped = StopReason::outOfMemory;
        messages.append(stopMessage(StopReason::outOfMemory, *session.control, made, "instances") +
                        ": no instances built\n");
    }
    session.instances = std::move(built);
    // What "save" writes as "buildInst"; a stopped build left nothing to write.
    if (stopped == StopReason::none) {
        session.instancesBuild = InstancesBuild{options, session.instances.size()};
    } else {
        session.instancesBuild.reset();
    }
    for (std::string& line : messages.lines) session.messages.append(std::move(line));
    if (session.hooks.afterGrounding) session.hooks.afterGrounding(session, summary);
}

void rebuildInstances(Session& session) {
    GroundingJob job(session);
    job.run();
    job.finish();
}

}  // namespace vexmolda

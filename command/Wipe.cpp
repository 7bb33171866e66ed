#include "command/Wipe.h"

#include "command/Session.h"

namespace vexmolda {

void wipe(Session& session) {
    // Instances, plans and the graph refer to facts: they go first.
    session.currentPlan = nullptr;
    session.lastSolve.reset();
    session.graph.reset();
    session.instances.clear();
    session.instancesBuild.reset();
    session.model.clear();
    session.log.clear();
    session.noTaskReason.clear();
    session.heuristic.clear();
}

}  // namespace vexmolda

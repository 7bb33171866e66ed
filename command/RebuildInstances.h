#pragma once
// The full rebuild of the instance list, shared by "buildInst" and the
// window's button; in two halves so the grounding can run beside the window.

#include <new>

#include "command/Session.h"

namespace vexmolda {

// Grounds into a list of its own, then installs it in the session.
class GroundingJob {
public:
    explicit GroundingJob(Session& session);
    // The grounding. Writes only the job's list and buffer, the model's fact
    // pool and the parameters' bindings, never what the report or the
    // windows read.
    void run();
    // Clears the current plan and the graph, installs the instances (none
    // when the grounding was stopped), the record of the build and the messages.
    void finish();

private:
    Session& session;
    GroundingOptions options;
    InstanceList built;
    TextBuffer messages{true};
    StopReason stopped = StopReason::none;
    WorkSummary summary;
};

// Both halves at once.
void rebuildInstances(Session& session);

}  // namespace vexmolda

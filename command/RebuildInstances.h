#pragma once
// The full rebuild of the instance list, shared by "buildInst" and the
// window's button; in two halves so the grounding can run beside the window.

#include <memory>
#include <new>

#include "command/Session.h"

namespace vexmolda {

// Grounds into a list and a fact pool of its own, then installs them in the session.
class GroundingJob {
public:
    explicit GroundingJob(Session& session) : session(session) {}
    // The grounding, with the switches as they are when it starts. Reads the
    // session; writes only the job's list, pool and buffer.
    void run();
    // Clears the current plan and the graph, adds the new facts to the
    // model's pool, installs the instances (none when the grounding was
    // stopped), the record of the build and the messages.
    void finish();

private:
    Session& session;
    // The switches the grounding ran under, read when it starts.
    GroundingOptions options;
    // The facts the grounding makes, after the model's own; null before run.
    std::unique_ptr<FactPool> newFacts;
    InstanceList built;
    TextBuffer messages{true};
    StopReason stopped = StopReason::none;
    WorkSummary summary;
};

// Both halves at once.
void rebuildInstances(Session& session);

}  // namespace vexmolda

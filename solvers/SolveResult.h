#pragma once
// What one solve produces: the outcome, the plan, the log and the counters.

#include <cstdint>
#include <memory>

#include "domain/TextBuffer.h"
#include "domain/WorkControl.h"
#include "solvers/Plan.h"
#include "solvers/PlanningGraph.h"

namespace vexmolda {

// The counters of a run; each solver fills those that mean something for it.
struct SolverStatistics {
    // a*
    std::uint64_t expanded = 0;   // nodes taken from the queue
    std::uint64_t generated = 0;  // successors pushed
    std::uint64_t statesStored = 0;
    std::uint64_t bytesUsed = 0;  // the search's own structures
    double preparationSeconds = 0;  // processor time before the first expansion
    // graph
    std::uint32_t levels = 0;      // the level counter when the run ended
    std::int32_t recursions = 0;   // "recs" of the report line
    std::uint32_t memoEntries = 0;
    std::int32_t memoHits = 0;
    // island solvers
    std::uint64_t steps = 0;
    std::uint64_t depth = 0;  // deepest level reached
    std::uint64_t picks = 0;
};

// Owned by the session once the run ends; the report and the windows read it.
struct SolveResult {
    bool found = false;
    // The run's plan (a ParPlan for "graph"); kept even when no plan was found.
    std::unique_ptr<Plan> plan;
    // The run made its plan the current one (every solver on success; the
    // island solvers also whenever a level succeeded).
    bool planShown = false;
    TextBuffer log;
    SolverStatistics statistics;
    // The planning graph of a "graph" run, for the windows.
    std::shared_ptr<const PlanningGraph> graph;
    // Why the run ended early, if it did.
    StopReason stopped = StopReason::none;
    // Processor cycles the run took.
    std::uint64_t cycles = 0;
};

}  // namespace vexmolda

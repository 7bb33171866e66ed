#pragma once
// What one solve produces: the outcome, the plan, the log and the counters.

#include <cstdint>
#include <memory>

#include "domain/TextBuffer.h"
#include "domain/WorkControl.h"
#include "solvers/Plan.h"
#include "solvers/PlanningGraph.h"
#include "solvers/SolverStatistics.h"

namespace vexmolda {

// Owned by the session once the run ends; the report and the windows read it.
struct SolveResult {
    bool found = false;
    // The run's plan (a ParPlan for "graph"); kept even when no plan was found.
    std::unique_ptr<Plan> plan;
    // The run made its plan the current one (every solver on success; the
    // island solvers also whenever a level succeeded).
    bool planShown = false;
    TextBuffer log;
    // The solver's own counters; set once the run ended.
    std::unique_ptr<SolverStatistics> statistics;
    // The planning graph of a "graph" run, for the windows.
    std::shared_ptr<const PlanningGraph> graph;
    // Why the run ended early, if it did.
    StopReason stopped = StopReason::none;
    // Processor cycles the run took.
    std::uint64_t cycles = 0;

    // The counters as the solver's own type, which the caller knows.
    template <class Statistics>
    const Statistics& statisticsAs() const {
        return dynamic_cast<const Statistics&>(*statistics);
    }
};

}  // namespace vexmolda

#pragma once
// What a solve reads: the grounded task, unchanged by the run, and what it
// may touch besides its own result.

#include <cstdint>
#include <string>

#include "domain/Fact.h"
#include "domain/State.h"
#include "domain/WorkControl.h"
#include "grounding/OperationInstance.h"
#include "solvers/IslandRandom.h"

namespace vexmolda {

// An immutable view of the grounded task.
struct SolveTask {
    const FactPool& facts;
    const InstanceList& instances;
    const State& initial;
    const State& goal;
    std::int32_t limit = 0;
    // Whether the run's log keeps its lines.
    bool logging = true;
    // The heuristic the searches use: a heuristicFactories() name, or empty
    // (or "default") for each solver's own.
    std::string heuristic;
};

// The run's links to the session: stop requests, progress, and the random
// numbers of "inselrand", whose sequence goes on from run to run.
struct SolveContext {
    WorkControl& control;
    IslandRandom& random;
};

}  // namespace vexmolda

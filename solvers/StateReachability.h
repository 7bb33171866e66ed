#pragma once
// Exhaustive forward reachability over the instances, as the state-space solvers see it.

#include <cstddef>

#include "domain/State.h"
#include "domain/WorkControl.h"
#include "grounding/OperationInstance.h"

namespace vexmolda {

// True when some sequence of the instances leads from the initial state to a
// state holding every goal fact. Answers true, undecided, when the control
// asks it to stop, so the caller's own stop check ends the run.
bool goalReachable(const State& initial, const State& goal, const InstanceList& instances, std::size_t factCount,
                   WorkControl* control = nullptr);

}  // namespace vexmolda

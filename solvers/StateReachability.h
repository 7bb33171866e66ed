#pragma once
// Exhaustive forward reachability over the instances, as the state-space solvers see it.

#include <cstddef>

#include "domain/State.h"
#include "domain/WorkControl.h"
#include "grounding/OperationInstance.h"

namespace vexmolda {

// What the exhaustive search found out.
enum class GoalReachability { reachable, unreachable, stopped };

// Reachable when some sequence of the instances leads from the initial state
// to a state holding every goal fact; stopped, undecided, once the control
// (if any) asks it to stop.
GoalReachability goalReachability(const State& initial, const State& goal, const InstanceList& instances,
                                  std::size_t factCount, WorkControl* control = nullptr);

}  // namespace vexmolda

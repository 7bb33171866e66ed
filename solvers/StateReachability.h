#pragma once
// Exhaustive forward reachability over the instances, as the state-space solvers see it.

#include "domain/State.h"

namespace vexmolda {

// True when some sequence of instances of instanceList leads from the initial
// state to a state holding every goal fact.
bool goalReachable(const State& initial, const State& goal);

}  // namespace vexmolda

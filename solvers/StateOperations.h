#pragma once
// State operations shared by the state-space solvers.

#include "domain/State.h"
#include "grounding/OperationInstance.h"

namespace vexmolda {

// Goal facts not in the state.
int openGoalCount(const State& state, const State& goal);
// When the preconditions hold: removes the deletes, then inserts the adds.
void applyInstance(State& state, const OperationInstance& instance);
// Every fact of the set is in the state.
bool goalsHold(const State& state, FactSpan facts);

}  // namespace vexmolda

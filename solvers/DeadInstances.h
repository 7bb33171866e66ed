#pragma once
// Instances that can never apply in a run, found before the search starts.

#include <cstdint>
#include <vector>

#include "domain/State.h"
#include "grounding/OperationInstance.h"
#include "solvers/InstanceFacts.h"

namespace vexmolda {

// By instance id: false when some precondition is a fact that no instance adds
// and that is false in the initial state, so the instance can never apply.
// Skipping such instances changes no search: they would fail every test.
std::vector<bool> liveInstances(const InstanceList& instances, const State& initial, std::size_t factCount);
// The same, from the instances' fact ids.
std::vector<bool> liveInstances(const InstanceFacts& instances, const State& initial, std::size_t factCount);

}  // namespace vexmolda

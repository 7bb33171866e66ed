#pragma once
// Building operation instances from operations and objects.

#include <string>
#include <vector>

#include "grounding/OperationInstance.h"

namespace vexmolda {

// The instance that stands for this binding (new, existing or an earlier
// redundant one), or null when refused (with a message where one is due).
OperationInstance* instantiate(const std::string& operationName, const std::vector<Atom*>& objects);

// Discards every instance and builds all of them, operations in name order,
// tuples in odometer order over the objects in name order.
void buildAllInstances();

void clearInstances();

// Entries of instanceList carrying the operation's name.
int countInstances(const Operation& operation);

// Inserts into target the facts of source with variables replaced by their
// bindings; false (after makeFact's message) at the first fact refused.
bool groundState(State& target, const State& source);

}  // namespace vexmolda

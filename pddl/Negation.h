#pragma once
// Negative literals compiled into complement facts kept up to date by every operation.

#include "pddl/GroundTask.h"

namespace vexmolda {

// For each predicate some condition tests negatively, gives every one of its
// facts a complement: true initially where the fact is not, added where the
// fact is deleted and deleted where it is added. The negated literals then
// read the complements, so no condition is negative any more.
void compileNegations(GroundTask& ground);

}  // namespace vexmolda

#pragma once
// The way back from a plan in the planning competitions' form to command names.

#include <vector>

#include "command/PlanValidation.h"
#include "pddl/NameMapping.h"

namespace vexmolda {

// The operations and objects a "(action object ...)" step stands for, as
// --plan-out spells them (case-insensitively, as PDDL reads names): every
// operation translated from that action, in name order; names that are not
// PDDL spellings stay as written. Steps in the report's form keep their names.
std::vector<StepNames> commandNamesOfStep(const PddlNames& names, const PlanStep& step);

// The mapping for the domain loaded now: the last PDDL task's names while it
// is loaded, else the names as written.
StepNameMapping currentStepNameMapping();

}  // namespace vexmolda

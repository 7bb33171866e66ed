#pragma once
// The way back from a plan in the planning competitions' form to command names.

#include <vector>

#include "command/PlanValidation.h"
#include "pddl/NameMapping.h"

namespace vexmolda {

// The operations and objects a "(action object ...)" step may stand for, as
// --plan-out spells them (case-insensitively, as PDDL reads names): every
// translated operation the step may be (variants of a split action, bindings
// of its exists variables), in name order; when none fits, the action's
// operations with the objects mapped where they are PDDL spellings. Steps in
// the report's form keep their names.
std::vector<StepNames> commandNamesOfStep(const PddlNames& names, const PlanStep& step);

}  // namespace vexmolda

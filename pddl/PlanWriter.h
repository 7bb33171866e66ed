#pragma once
// Plans in the planning competitions' format, for validators and other tools.

#include <string>

#include "pddl/NameMapping.h"
#include "solvers/Plan.h"

namespace vexmolda {

// One "(action arg ...)" line per step (a layered plan layer by layer) in the
// PDDL's spelling where names are given, then the cost line (see pddlStepsText).
std::string competitionPlanText(const Plan& plan, const PddlNames* names);

// Writes currentPlan in that format; false after a message in messages when
// there is no plan or the file cannot be written.
bool writeCurrentPlan(const std::string& path);

}  // namespace vexmolda

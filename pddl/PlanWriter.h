#pragma once
// Plans in the planning competitions' format, for validators and other tools.

#include <string>

#include "pddl/NameMapping.h"
#include "solvers/Plan.h"

namespace vexmolda {

// One "(action arg ...)" line per step (a layered plan layer by layer) in the
// PDDL's spelling where names are given, then "; cost = N (unit cost)".
std::string competitionPlanText(const Plan& plan, const PddlNames* names);

class Session;

// Writes the session's current plan in that format; false after a message
// when there is no plan or the file cannot be written.
bool writeCurrentPlan(Session& session, const std::string& path);

}  // namespace vexmolda

#pragma once
// Plans in the planning competitions' format, for validators and other tools.

#include <string>

#include "pddl/NameMapping.h"
#include "solvers/Plan.h"

namespace vexmolda {

// One "(action arg ...)" line per step (a layered plan layer by layer) in the
// PDDL's spelling where names are given, then the cost line (see pddlStepsText).
std::string competitionPlanText(const Plan& plan, const PddlNames* names);

class Session;

// The end of a solve as a plan file sees it: whether a plan was found, and
// that plan in the format above, taken when the solve ended.
struct SolveOutcome {
    bool found = false;
    std::string planText;  // empty when not found
};

// The solve that just ended with the given result (for afterSolve). A solve
// that succeeds without a plan of its own (the goal already held) has the
// empty plan; the steps an unsuccessful one made are no plan.
SolveOutcome outcomeOfSolve(const Session& session, bool found);

// Writes the outcome's plan to the file; after an unsuccessful solve writes
// nothing. False after one message in the session's messages saying so, or
// that the file cannot be written.
bool writeSolveOutcome(Session& session, const std::string& path, const SolveOutcome& outcome);

}  // namespace vexmolda

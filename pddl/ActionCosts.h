#pragma once
// Action costs: "(increase (total-cost) N)" with a number or a static function.

#include <string>

#include "pddl/PddlModel.h"
#include "pddl/Quantifiers.h"

namespace vexmolda {

// What one cost increase adds under a binding; a function value the problem
// does not give counts 0 (a validator would refuse such a step as undefined).
long long costIncrease(const PddlCost& cost, const PddlProblem& problem, const PddlBinding& binding);

// True when some action of the domain increases total-cost.
bool hasActionCosts(const PddlDomain& domain);

}  // namespace vexmolda

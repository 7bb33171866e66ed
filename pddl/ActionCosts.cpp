#include "pddl/ActionCosts.h"

namespace vexmolda {

long long costIncrease(const PddlCost& cost, const PddlProblem& problem, const PddlBinding& binding) {
    if (cost.function.empty()) return cost.number;
    std::vector<std::string> key = {cost.function};
    for (const PddlTerm& term : cost.args) key.push_back(FormulaGrounder::value(term, binding));
    auto found = problem.functionValues.find(key);
    return found == problem.functionValues.end() ? 0 : found->second;
}

bool hasActionCosts(const PddlDomain& domain) {
    for (const PddlAction& action : domain.actions) {
        if (action.hasCost) return true;
    }
    return false;
}

}  // namespace vexmolda

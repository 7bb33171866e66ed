#include "pddl/Quantifiers.h"

namespace vexmolda {

namespace {

void changedPredicates(const PddlEffect& effect, std::set<std::string>& changed) {
    if (effect.kind == PddlEffect::Kind::Add || effect.kind == PddlEffect::Kind::Del) {
        changed.insert(effect.atom.predicate);
    }
    for (const PddlEffect& part : effect.parts) changedPredicates(part, changed);
}

}  // namespace

std::vector<int> FormulaGrounder::code(const PddlLiteral& literal, const PddlBinding& binding) const {
    std::vector<int> key = {predicateCode.at(literal.predicate)};
    for (const PddlTerm& term : literal.args) key.push_back(objectCode.at(value(term, binding)));
    return key;
}

bool FormulaGrounder::mayBecomeTrue(const PddlLiteral& literal, const PddlBinding& binding) const {
    return !reachabilityKnown || reachable.count(code(literal, binding)) > 0;
}

bool FormulaGrounder::markReachable(const PddlLiteral& literal, const PddlBinding& binding) {
    return reachable.insert(code(literal, binding)).second;
}

FormulaGrounder::FormulaGrounder(const PddlTask& task, GroundFacts& facts)
    : task(task), facts(facts), objects(task.allObjects()) {
    std::set<std::string> changed;
    for (const PddlAction& action : task.domain.actions) changedPredicates(action.effect, changed);
    for (const PddlPredicate& predicate : task.domain.predicates) {
        if (!changed.count(predicate.name)) staticPredicates.insert(predicate.name);
    }
    for (const PddlPredicate& predicate : task.domain.predicates) {
        predicateCode.emplace(predicate.name, static_cast<int>(predicateCode.size()));
    }
    for (const PddlTypedName& object : objects) objectCode.emplace(object.name, static_cast<int>(objectCode.size()));
    for (const PddlLiteral& literal : task.problem.init) initial.insert(code(literal, {}));
}

std::string FormulaGrounder::value(const PddlTerm& term, const PddlBinding& binding) {
    return term.isVariable ? binding.at(term.name) : term.name;
}

int FormulaGrounder::fact(const PddlLiteral& literal, const PddlBinding& binding) {
    std::vector<std::string> arguments;
    for (const PddlTerm& term : literal.args) arguments.push_back(value(term, binding));
    return facts.intern(literal.predicate, arguments);
}

bool FormulaGrounder::holdsInitially(const PddlLiteral& literal, const PddlBinding& binding) const {
    return initial.count(code(literal, binding)) > 0;
}

const std::vector<std::string>& FormulaGrounder::candidates(const PddlTypedName& variable) {
    std::string typeKey = variable.type;
    for (const std::string& alternative : variable.either) typeKey += " " + alternative;
    auto found = candidatesByType.find(typeKey);
    if (found != candidatesByType.end()) return found->second;
    std::vector<std::string>& names = candidatesByType[typeKey];
    for (const PddlTypedName& object : objects) {
        if (task.domain.fits(object, variable)) names.push_back(object.name);
    }
    return names;
}

Dnf FormulaGrounder::quantified(const PddlFormula& formula, const PddlBinding& binding, bool positive,
                                bool conjunctive, DnfBudget& budget) {
    // Every combination of objects for the variables, as one big and or or.
    Dnf result = Dnf::truth(conjunctive);
    PddlBinding inner = binding;
    std::vector<std::size_t> position(formula.variables.size(), 0);
    for (const PddlTypedName& variable : formula.variables) {
        if (candidates(variable).empty()) return result;
    }
    for (;;) {
        for (std::size_t i = 0; i < formula.variables.size(); ++i) {
            inner[formula.variables[i].name] = candidates(formula.variables[i])[position[i]];
        }
        const Dnf part = ground(formula.parts[0], inner, positive, budget);
        result = conjunctive ? conjoin(result, part, budget) : disjoin(result, part, budget);
        if (budget.exceeded || (conjunctive ? result.isFalse() : result.isTrue())) return result;
        std::size_t i = formula.variables.size();
        while (i > 0) {
            --i;
            if (++position[i] < candidates(formula.variables[i]).size()) break;
            position[i] = 0;
            if (i == 0) return result;
        }
        if (formula.variables.empty()) return result;
    }
}

Dnf FormulaGrounder::ground(const PddlFormula& formula, const PddlBinding& binding, bool positive,
                            DnfBudget& budget) {
    using Kind = PddlFormula::Kind;
    switch (formula.kind) {
    case Kind::Atom:
        if (isStatic(formula.atom.predicate)) return Dnf::truth(holdsInitially(formula.atom, binding) == positive);
        // A fact no sequence of actions reaches is false in every state that matters.
        if (!mayBecomeTrue(formula.atom, binding)) return Dnf::truth(!positive);
        return Dnf::literal(positive ? positiveLiteral(fact(formula.atom, binding))
                                     : negativeLiteral(fact(formula.atom, binding)));
    case Kind::Equal:
        return Dnf::truth((value(formula.left, binding) == value(formula.right, binding)) == positive);
    case Kind::Not:
        return ground(formula.parts[0], binding, !positive, budget);
    case Kind::And:
    case Kind::Or: {
        const bool conjunctive = (formula.kind == Kind::And) == positive;
        Dnf result = Dnf::truth(conjunctive);
        for (const PddlFormula& part : formula.parts) {
            const Dnf grounded = ground(part, binding, positive, budget);
            result = conjunctive ? conjoin(result, grounded, budget) : disjoin(result, grounded, budget);
            if (budget.exceeded || (conjunctive ? result.isFalse() : result.isTrue())) break;
        }
        return result;
    }
    case Kind::Imply: {
        // a -> b is (not a) or b; its negation a and (not b).
        const Dnf first = ground(formula.parts[0], binding, !positive, budget);
        const Dnf second = ground(formula.parts[1], binding, positive, budget);
        return positive ? disjoin(first, second, budget) : conjoin(first, second, budget);
    }
    case Kind::Forall:
        return quantified(formula, binding, positive, positive, budget);
    case Kind::Exists:
        return quantified(formula, binding, positive, !positive, budget);
    }
    return Dnf::truth(false);
}

}  // namespace vexmolda

#include "pddl/Quantifiers.h"

#include <algorithm>
#include <cassert>

#include "command/StopMessage.h"

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

FormulaGrounder::FormulaGrounder(const PddlTask& task, GroundFacts& facts, PddlDiagnostics* diagnostics)
    : task(task), facts(facts), diagnostics(diagnostics), objects(task.allObjects()) {
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

BindingOdometer FormulaGrounder::combinations(const std::vector<PddlTypedName>& variables) {
    std::vector<std::size_t> counts;
    for (const PddlTypedName& variable : variables) counts.push_back(candidates(variable).size());
    return BindingOdometer(std::move(counts));
}

void FormulaGrounder::bindCombination(const std::vector<PddlTypedName>& variables, const BindingOdometer& combination,
                                      PddlBinding& binding) {
    for (std::size_t i = 0; i < variables.size(); ++i) {
        binding[variables[i].name] = candidates(variables[i])[combination[i]];
    }
}

double FormulaGrounder::combinationCount(const std::vector<PddlTypedName>& variables) {
    double count = 1;
    for (const PddlTypedName& variable : variables) count *= static_cast<double>(candidates(variable).size());
    return count;
}

bool FormulaGrounder::stopAsked() {
    ++bindingsTried;
    if (stopping) return true;
    if (!diagnostics) return false;
    if (diagnostics->control && bindingsTried % 1024 == 0) {
        diagnostics->control->second.store(bindingsTried, std::memory_order_relaxed);
    }
    if (!diagnostics->stopAsked()) return false;
    stopping = true;
    diagnostics->refuseStopped(task.problem.file, "while binding the actions to objects, after " +
                                                      groupedNumber(bindingsTried) + " bindings");
    return true;
}

void FormulaGrounder::showOperations(std::size_t count) const {
    if (diagnostics && diagnostics->control) diagnostics->control->third.store(count, std::memory_order_relaxed);
}

std::size_t FormulaGrounder::largestFanOut(int predicate, const std::vector<int>& arguments, int variable) const {
    const int code = -1 - variable;
    std::map<std::vector<int>, std::size_t> perKey;
    std::size_t largest = 0;
    for (auto fact = initial.lower_bound({predicate}); fact != initial.end() && (*fact)[0] == predicate; ++fact) {
        assert(fact->size() == arguments.size() + 1);
        std::vector<int> key;
        int value = -1;
        bool matches = true;
        for (std::size_t i = 0; i < arguments.size() && matches; ++i) {
            const int object = (*fact)[i + 1];
            if (arguments[i] >= 0) {
                matches = arguments[i] == object;
            } else if (arguments[i] == code) {
                matches = value < 0 || value == object;
                value = object;
            } else {
                key.push_back(object);
            }
        }
        if (matches) largest = std::max(largest, ++perKey[key]);
    }
    return largest;
}

Dnf FormulaGrounder::quantified(const PddlFormula& formula, const PddlBinding& binding, bool positive,
                                bool conjunctive, DnfBudget& budget) {
    // Every combination of objects for the variables, as one big and or or.
    Dnf result = Dnf::truth(conjunctive);
    PddlBinding inner = binding;
    BindingOdometer combination = combinations(formula.variables);
    if (!combination.any()) return result;
    do {
        if (stopAsked()) {
            budget.exceeded = true;
            return result;
        }
        bindCombination(formula.variables, combination, inner);
        const Dnf part = ground(formula.parts[0], inner, positive, budget);
        result = conjunctive ? conjoin(result, part, budget) : disjoin(result, part, budget);
        if (budget.exceeded || (conjunctive ? result.isFalse() : result.isTrue())) return result;
    } while (combination.advance());
    return result;
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

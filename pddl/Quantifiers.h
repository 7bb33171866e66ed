#pragma once
// Grounding conditions under a binding: quantifiers expanded over their
// objects, static facts and equalities decided, the rest in normal form.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "domain/BindingOdometer.h"
#include "pddl/Disjunction.h"
#include "pddl/GroundTask.h"
#include "pddl/PddlModel.h"

namespace vexmolda {

// Variables (without "?") to object names.
using PddlBinding = std::map<std::string, std::string>;

// Grounds the conditions of one task.
class FormulaGrounder {
public:
    // With diagnostics, the loops over bindings poll its control and refuse when asked to stop.
    FormulaGrounder(const PddlTask& task, GroundFacts& facts, PddlDiagnostics* diagnostics = nullptr);

    // The formula (negated when not positive) over the binding.
    Dnf ground(const PddlFormula& formula, const PddlBinding& binding, bool positive, DnfBudget& budget);
    // The fact of a literal under the binding.
    int fact(const PddlLiteral& literal, const PddlBinding& binding);
    // The objects, constants included, that a variable of that type can take.
    const std::vector<std::string>& candidates(const PddlTypedName& variable);
    // Every combination of candidates for the variables, and the binding
    // extended by the current one.
    BindingOdometer combinations(const std::vector<PddlTypedName>& variables);
    void bindCombination(const std::vector<PddlTypedName>& variables, const BindingOdometer& combination,
                         PddlBinding& binding);
    // How many combinations of candidates the variables have.
    double combinationCount(const std::vector<PddlTypedName>& variables);
    // Counts one binding tried; true once the load must stop, after the
    // refusal that says so. Every loop over bindings asks it.
    bool stopAsked();
    bool stopped() const { return stopping; }
    // Shows how many operations the binding made so far in the progress line.
    void showOperations(std::size_t count) const;
    // At most how many objects the variable can take in the static fact of
    // the codes (object codes, -1 - variable index for variables) when the
    // other variables of the fact are bound.
    std::size_t largestFanOut(int predicate, const std::vector<int>& arguments, int variable) const;
    // No effect of any action changes the predicate.
    bool isStatic(const std::string& predicate) const { return staticPredicates.count(predicate) > 0; }
    // A static fact's truth: whether the initial state holds it.
    bool holdsInitially(const PddlLiteral& literal, const PddlBinding& binding) const;
    // Whether some sequence of actions, deletes ignored, can make the fact
    // true; every fact counts as reachable until reachability is computed.
    bool mayBecomeTrue(const PddlLiteral& literal, const PddlBinding& binding) const;
    // Starts reachability over: only the initial facts.
    void startReachability() { reachable = initial; reachabilityKnown = true; }
    // Marks a fact reachable; true when it was not before.
    bool markReachable(const PddlLiteral& literal, const PddlBinding& binding);

    static std::string value(const PddlTerm& term, const PddlBinding& binding);

    // Facts as codes, for the checks of binding: predicate, then objects.
    int predicateIndex(const std::string& name) const { return predicateCode.at(name); }
    int objectIndex(const std::string& name) const { return objectCode.at(name); }
    const std::string& objectName(int index) const { return objects[index].name; }
    bool holdsInitially(const std::vector<int>& fact) const { return initial.count(fact) > 0; }
    bool mayBecomeTrue(const std::vector<int>& fact) const { return !reachabilityKnown || reachable.count(fact) > 0; }

private:
    Dnf quantified(const PddlFormula& formula, const PddlBinding& binding, bool positive, bool conjunctive,
                   DnfBudget& budget);

    const PddlTask& task;
    GroundFacts& facts;
    PddlDiagnostics* diagnostics;
    std::uint64_t bindingsTried = 0;
    bool stopping = false;
    std::vector<PddlTypedName> objects;
    std::set<std::string> staticPredicates;
    // Facts as codes: predicate, then objects.
    std::vector<int> code(const PddlLiteral& literal, const PddlBinding& binding) const;

    std::map<std::string, int> predicateCode;
    std::map<std::string, int> objectCode;
    std::set<std::vector<int>> initial;
    std::set<std::vector<int>> reachable;
    bool reachabilityKnown = false;
    std::map<std::string, std::vector<std::string>> candidatesByType;
};

}  // namespace vexmolda

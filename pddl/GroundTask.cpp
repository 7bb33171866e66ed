#include "pddl/GroundTask.h"

#include <algorithm>
#include <cstdio>

#include "pddl/ConditionalEffects.h"
#include "pddl/Negation.h"
#include "pddl/Quantifiers.h"

namespace vexmolda {

int GroundFacts::intern(const std::string& predicate, const std::vector<std::string>& objects, FactRole role) {
    auto [position, inserted] = ids.emplace(std::make_tuple(predicate, objects, role), size());
    if (inserted) facts.push_back({predicate, objects, role});
    return position->second;
}

namespace {

// What one operation of the bound task costs the load, beside its literals:
// its record, its command lines, and the model's operation and instance.
constexpr double bytesPerOperation = 1024;
constexpr double bytesPerLiteral = 64;
// A bound task estimated larger than this would not load in reasonable memory.
constexpr double maxEstimatedBytes = 2.0 * 1024 * 1024 * 1024;
// More bindings than these would not be tried in reasonable time: of an
// action's variables (each a cheap check), and of the quantifiers an action
// or the goal expands (each grounds the quantified formula).
constexpr double maxParameterBindings = 1e9;
constexpr double maxQuantifierBindings = 2e6;

std::string countText(double count) {
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", count);
    return text;
}

// Counts, at the schema level, what the load reports as compiled.
void countFormula(const PddlFormula& formula, bool positive, bool inGoal, CompileCounts& counts) {
    using Kind = PddlFormula::Kind;
    switch (formula.kind) {
    case Kind::Atom:
        if (!positive) ++(inGoal ? counts.negativeGoals : counts.negativePreconditions);
        return;
    case Kind::Equal:
        ++counts.equalities;
        return;
    case Kind::Not:
        countFormula(formula.parts[0], !positive, inGoal, counts);
        return;
    case Kind::Imply:
        ++counts.disjunctions;
        countFormula(formula.parts[0], !positive, inGoal, counts);
        countFormula(formula.parts[1], positive, inGoal, counts);
        return;
    case Kind::Or:
        ++counts.disjunctions;
        break;
    case Kind::Forall:
    case Kind::Exists:
        ++counts.quantifiers;
        break;
    case Kind::And:
        break;
    }
    for (const PddlFormula& part : formula.parts) countFormula(part, positive, inGoal, counts);
}

void countEffect(const PddlEffect& effect, CompileCounts& counts) {
    if (effect.kind == PddlEffect::Kind::Forall) ++counts.quantifiers;
    if (effect.kind == PddlEffect::Kind::When) {
        ++counts.conditionalEffects;
        countFormula(effect.condition, true, false, counts);
    }
    for (const PddlEffect& part : effect.parts) countEffect(part, counts);
}

// A part of the precondition's top conjunction that static facts, the
// binding or reachability decide, checked as soon as its variables are bound.
struct EarlyCheck {
    const PddlFormula* formula = nullptr;
    std::vector<int> variables;  // indices of the variables it reads
    int level = -1;              // position in the binding order of the last of them
    // The same in codes: a fact (predicate, then arguments) or the two sides
    // of an equality; an argument is an object code, or -1 - variable index.
    bool equality = false;
    bool negated = false;
    bool isStatic = false;
    int predicate = -1;
    std::vector<int> arguments;
};

// Adds every fact an effect may add under a binding, conditions ignored;
// true when one was new.
bool markAdds(const PddlEffect& effect, const PddlBinding& binding, FormulaGrounder& grounder) {
    bool added = false;
    if (effect.kind == PddlEffect::Kind::Add) return grounder.markReachable(effect.atom, binding);
    if (effect.kind != PddlEffect::Kind::Forall) {
        for (const PddlEffect& part : effect.parts) added |= markAdds(part, binding, grounder);
        return added;
    }
    PddlBinding inner = binding;
    BindingOdometer combination = grounder.combinations(effect.variables);
    if (!combination.any()) return false;
    do {
        if (grounder.stopAsked()) return added;
        grounder.bindCombination(effect.variables, combination, inner);
        added |= markAdds(effect.parts[0], inner, grounder);
    } while (combination.advance());
    return added;
}

// Bindings the quantifiers below a formula or an effect try for one binding of what holds it.
double quantifiedBindings(const PddlFormula& formula, FormulaGrounder& grounder) {
    double count = 0;
    for (const PddlFormula& part : formula.parts) count += quantifiedBindings(part, grounder);
    if (formula.kind != PddlFormula::Kind::Forall && formula.kind != PddlFormula::Kind::Exists) return count;
    return grounder.combinationCount(formula.variables) * (1 + count);
}

double quantifiedBindings(const PddlEffect& effect, FormulaGrounder& grounder) {
    double count = effect.kind == PddlEffect::Kind::When ? quantifiedBindings(effect.condition, grounder) : 0;
    for (const PddlEffect& part : effect.parts) count += quantifiedBindings(part, grounder);
    if (effect.kind != PddlEffect::Kind::Forall) return count;
    return grounder.combinationCount(effect.variables) * (1 + count);
}

class ActionGrounder {
public:
    ActionGrounder(const PddlTask& task, std::size_t index, FormulaGrounder& grounder, GroundTask& out)
        : task(task), action(task.domain.actions[index]), index(index), grounder(grounder), out(out) {
        liftExists();
        collectChecks();
        orderVariables();
    }

    // How many bindings grounding the action would try at most, counted
    // before any is tried; false after refusing a count past the limits.
    bool withinBindingLimits(PddlDiagnostics& diagnostics) {
        const double parameters = bindingBound();
        const double quantified =
            parameters * (quantifiedBindings(precondition, grounder) + quantifiedBindings(action.effect, grounder));
        const bool tooMany = parameters > maxParameterBindings;
        if (!tooMany && quantified <= maxQuantifierBindings) return true;
        diagnostics.refuse(task.domain.file, action.line,
                           "action \"" + action.name + "\" would need " + countText(tooMany ? parameters : quantified) +
                               " bindings of its " + (tooMany ? "parameters" : "quantifiers") + ", more than " +
                               countText(tooMany ? maxParameterBindings : maxQuantifierBindings));
        return false;
    }

    // Marks what the action's bindings may add, deletes and conditions
    // beyond the top conjunction ignored; true when a fact was new.
    bool explore() {
        exploring = true;
        grew = false;
        binding.clear();
        if (passes(-1)) bind(0);
        return grew;
    }

    // Emits the operations; false after a refusal.
    bool run(PddlDiagnostics& diagnostics) {
        exploring = false;
        binding.clear();
        if (!passes(-1)) return true;
        if (!bind(0)) {
            diagnostics.refuse(task.domain.file, action.line, refusal);
            return false;
        }
        return true;
    }

    bool split = false;  // some binding needed more than one operation

private:
    // "exists" in the top conjunction becomes more variables to bind.
    void liftExists() {
        variables = action.params;
        auto clashes = [&](const PddlFormula& exists) {
            for (const PddlTypedName& variable : exists.variables) {
                for (const PddlTypedName& taken : variables) {
                    if (taken.name == variable.name) return true;
                }
            }
            return false;
        };
        auto lift = [&](const PddlFormula& part) {
            variables.insert(variables.end(), part.variables.begin(), part.variables.end());
            return part.parts[0];
        };
        const PddlFormula& pre = action.precondition;
        if (pre.kind == PddlFormula::Kind::Exists && !clashes(pre)) {
            precondition = lift(pre);
        } else if (pre.kind == PddlFormula::Kind::And) {
            precondition.kind = PddlFormula::Kind::And;
            for (const PddlFormula& part : pre.parts) {
                if (part.kind == PddlFormula::Kind::Exists && !clashes(part)) {
                    precondition.parts.push_back(lift(part));
                } else {
                    precondition.parts.push_back(part);
                }
            }
        } else {
            precondition = pre;
        }
    }

    int variableIndex(const std::string& name) const {
        for (std::size_t i = 0; i < variables.size(); ++i) {
            if (variables[i].name == name) return static_cast<int>(i);
        }
        return -1;
    }

    void collectChecks() {
        std::vector<const PddlFormula*> parts;
        if (precondition.kind == PddlFormula::Kind::And) {
            for (const PddlFormula& part : precondition.parts) parts.push_back(&part);
        } else {
            parts.push_back(&precondition);
        }
        for (const PddlFormula* part : parts) {
            const bool negated = part->kind == PddlFormula::Kind::Not;
            const PddlFormula& inner = negated ? part->parts[0] : *part;
            std::vector<const PddlTerm*> terms;
            if (inner.kind == PddlFormula::Kind::Equal) {
                terms = {&inner.left, &inner.right};
            } else if (inner.kind == PddlFormula::Kind::Atom && (!negated || grounder.isStatic(inner.atom.predicate))) {
                // Positive fluent facts prune by reachability.
                for (const PddlTerm& term : inner.atom.args) terms.push_back(&term);
            } else {
                continue;
            }
            EarlyCheck check;
            check.formula = part;
            check.equality = inner.kind == PddlFormula::Kind::Equal;
            check.negated = negated;
            if (!check.equality) {
                check.predicate = grounder.predicateIndex(inner.atom.predicate);
                check.isStatic = grounder.isStatic(inner.atom.predicate);
            }
            bool known = true;
            for (const PddlTerm* term : terms) {
                if (!term->isVariable) {
                    check.arguments.push_back(grounder.objectIndex(term->name));
                    continue;
                }
                const int found = variableIndex(term->name);
                if (found < 0) known = false;
                check.variables.push_back(found);
                check.arguments.push_back(-1 - found);
            }
            if (known) checks.push_back(check);
        }
    }

    // Greedy: next the variable that completes the most checks, then the one
    // with fewest objects; so the checks prune early.
    void orderVariables() {
        std::vector<bool> placed(variables.size(), false);
        for (std::size_t step = 0; step < variables.size(); ++step) {
            int best = -1;
            std::size_t bestCompleted = 0;
            std::size_t bestCandidates = 0;
            for (std::size_t v = 0; v < variables.size(); ++v) {
                if (placed[v]) continue;
                std::size_t completed = 0;
                for (const EarlyCheck& check : checks) {
                    const bool reads = std::find(check.variables.begin(), check.variables.end(), static_cast<int>(v)) !=
                                       check.variables.end();
                    const bool rest = std::all_of(check.variables.begin(), check.variables.end(),
                                                  [&](int other) { return other == static_cast<int>(v) || placed[other]; });
                    if (reads && rest) ++completed;
                }
                const std::size_t candidates = grounder.candidates(variables[v]).size();
                if (best < 0 || completed > bestCompleted ||
                    (completed == bestCompleted && candidates < bestCandidates)) {
                    best = static_cast<int>(v);
                    bestCompleted = completed;
                    bestCandidates = candidates;
                }
            }
            placed[best] = true;
            order.push_back(static_cast<std::size_t>(best));
        }
        codes.assign(variables.size(), -1);
        for (const PddlTypedName& variable : variables) {
            candidateCodes.emplace_back();
            for (const std::string& object : grounder.candidates(variable)) {
                candidateCodes.back().push_back(grounder.objectIndex(object));
            }
        }
        for (EarlyCheck& check : checks) {
            for (int variable : check.variables) {
                const int position = static_cast<int>(std::find(order.begin(), order.end(), variable) - order.begin());
                check.level = std::max(check.level, position);
            }
        }
    }

    bool passes(int level) {
        for (const EarlyCheck& check : checks) {
            if (check.level != level) continue;
            fact.clear();
            if (!check.equality) fact.push_back(check.predicate);
            for (int argument : check.arguments) fact.push_back(argument >= 0 ? argument : codes[-1 - argument]);
            bool holds;
            if (check.equality) {
                holds = fact[0] == fact[1];
            } else {
                holds = check.isStatic ? grounder.holdsInitially(fact) : grounder.mayBecomeTrue(fact);
            }
            if (holds == check.negated) return false;
        }
        return true;
    }

    // Binds the variables from position i of the order on; false after a refusal.
    bool bind(std::size_t i) {
        if (i == order.size()) {
            binding.clear();
            for (std::size_t v = 0; v < variables.size(); ++v) binding[variables[v].name] = grounder.objectName(codes[v]);
            if (!exploring) return emit();
            grew |= markAdds(action.effect, binding, grounder);
            return true;
        }
        const std::size_t variable = order[i];
        for (int object : candidateCodes[variable]) {
            if (grounder.stopAsked()) return false;
            codes[variable] = object;
            if (passes(static_cast<int>(i)) && !bind(i + 1)) return false;
        }
        return true;
    }

    bool emit() {
        DnfBudget budget;
        const Dnf pre = grounder.ground(precondition, binding, true, budget);
        std::vector<GroundEffect> effects;
        if (!budget.exceeded && !pre.isFalse()) effects = groundEffects(action.effect, task.problem, binding, grounder, budget);
        if (grounder.stopped()) return false;
        if (budget.exceeded) {
            refusal = "action \"" + action.name + "\" would need " + countText(budget.wanted) +
                      " operations for one binding, more than " + std::to_string(maxDisjuncts);
            return false;
        }
        if (pre.isFalse()) return true;
        std::vector<EffectVariant> variants;
        double needed = 0;
        if (!splitVariants(pre, effects, variants, needed)) {
            refusal = "action \"" + action.name + "\" would need " + countText(needed) +
                      " variants for one binding, more than " + std::to_string(maxDisjuncts);
            return false;
        }
        if (variants.size() > 1) split = true;
        std::vector<std::string> arguments;
        for (const PddlTypedName& parameter : action.params) arguments.push_back(binding.at(parameter.name));
        for (EffectVariant& variant : variants) {
            out.estimatedBytes += bytesPerOperation +
                              bytesPerLiteral * static_cast<double>(arguments.size() + variant.pre.size() +
                                                                    variant.add.size() + variant.del.size());
            out.operations.push_back({index, arguments, std::move(variant.pre), std::move(variant.add),
                                      std::move(variant.del), variant.cost, false});
        }
        grounder.showOperations(out.operations.size());
        if (out.estimatedBytes > maxEstimatedBytes) {
            refusal = "the task needs more than " + std::to_string(static_cast<long long>(maxEstimatedBytes / (1024 * 1024))) +
                      " MB once its actions are bound to objects (" + std::to_string(out.operations.size()) +
                      " operations so far)";
            out.tooLarge = true;
            return false;
        }
        return true;
    }

    // The bindings the variables can take at most: per variable in the
    // binding order its candidates, or fewer where a static fact or an
    // equality it completes allows fewer once the earlier ones are bound.
    double bindingBound() const {
        double bound = 1;
        for (std::size_t level = 0; level < order.size(); ++level) {
            const int variable = static_cast<int>(order[level]);
            std::size_t choices = candidateCodes[variable].size();
            for (const EarlyCheck& check : checks) {
                if (check.level != static_cast<int>(level) || check.negated) continue;
                if (check.equality) {
                    if (check.arguments[0] != check.arguments[1]) choices = std::min<std::size_t>(choices, 1);
                } else if (check.isStatic) {
                    choices = std::min(choices, grounder.largestFanOut(check.predicate, check.arguments, variable));
                }
            }
            bound *= static_cast<double>(choices);
        }
        return bound;
    }

    const PddlTask& task;
    const PddlAction& action;
    std::size_t index;
    FormulaGrounder& grounder;
    GroundTask& out;
    std::vector<PddlTypedName> variables;
    std::vector<std::size_t> order;  // binding order of the variables
    std::vector<std::vector<int>> candidateCodes;
    std::vector<int> codes;  // the binding being built, by variable
    std::vector<int> fact;   // scratch for the checks
    PddlFormula precondition;
    std::vector<EarlyCheck> checks;
    PddlBinding binding;
    std::string refusal;
    bool exploring = false;
    bool grew = false;
};

}  // namespace

bool groundPddlTask(const PddlTask& task, GroundTask& ground, PddlDiagnostics& diagnostics) {
    ground = GroundTask{};
    FormulaGrounder grounder(task, ground.facts, &diagnostics);
    for (const PddlLiteral& literal : task.problem.init) ground.init.push_back(grounder.fact(literal, {}));
    for (const PddlAction& action : task.domain.actions) {
        countFormula(action.precondition, true, false, ground.counts);
        countEffect(action.effect, ground.counts);
    }
    countFormula(task.problem.goalFormula, true, true, ground.counts);
    // Reserved: the checks point into each grounder's own precondition.
    std::vector<ActionGrounder> actions;
    actions.reserve(task.domain.actions.size());
    for (std::size_t i = 0; i < task.domain.actions.size(); ++i) actions.emplace_back(task, i, grounder, ground);
    // What binding costs is bounded before any binding is tried.
    for (ActionGrounder& action : actions) {
        if (!action.withinBindingLimits(diagnostics)) {
            ground.tooLarge = true;
            return false;
        }
    }
    const double goalBindings = quantifiedBindings(task.problem.goalFormula, grounder);
    if (goalBindings > maxQuantifierBindings) {
        diagnostics.refuse(task.problem.file, task.problem.goalFormula.line,
                           "the goal would need " + countText(goalBindings) + " bindings of its quantifiers, more than " +
                               countText(maxQuantifierBindings));
        ground.tooLarge = true;
        return false;
    }
    // Reachability first, deletes ignored: facts no action can add prune bindings.
    grounder.startReachability();
    for (bool grew = true; grew && !grounder.stopped();) {
        grew = false;
        for (ActionGrounder& action : actions) grew |= action.explore();
    }
    if (grounder.stopped()) return false;
    for (std::size_t i = 0; i < task.domain.actions.size(); ++i) {
        const std::size_t before = ground.operations.size();
        ActionGrounder& action = actions[i];
        if (!action.run(diagnostics)) return false;
        const std::size_t made = ground.operations.size() - before;
        ground.counts.operationsPerAction[task.domain.actions[i].name] = made;
        if (action.split) ground.counts.variants.emplace_back(task.domain.actions[i].spelling, made);
    }
    DnfBudget budget;
    const Dnf goal = grounder.ground(task.problem.goalFormula, {}, true, budget);
    if (budget.exceeded) {
        diagnostics.refuse(task.problem.file, task.problem.goalFormula.line,
                           "the goal would need " + countText(budget.wanted) + " goal operations, more than " +
                               std::to_string(maxDisjuncts));
        return false;
    }
    if (goal.disjuncts.size() == 1) {
        ground.goal = goal.disjuncts[0];
    } else {
        // No disjunct, or several: a fresh fact that goal operations reach.
        ground.goalFact = ground.facts.intern("goal-reached", {}, FactRole::Goal);
        for (const Conjunction& disjunct : goal.disjuncts) {
            ground.operations.push_back({0, {}, disjunct, {ground.goalFact}, {}, 0, true});
        }
        ground.counts.goalOperations = static_cast<int>(goal.disjuncts.size());
    }
    // Static facts are decided in every operation and goal: the state needs none of them.
    ground.init.erase(std::remove_if(ground.init.begin(), ground.init.end(),
                                     [&](int fact) { return grounder.isStatic(ground.facts[fact].predicate); }),
                      ground.init.end());
    compileNegations(ground);
    return true;
}

}  // namespace vexmolda

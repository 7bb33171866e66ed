#pragma once
// Universal and conditional effects: expanded under a binding, then the
// operation split into variants that each fix which conditional effects fire.

#include <vector>

#include "pddl/Disjunction.h"
#include "pddl/PddlModel.h"
#include "pddl/Quantifiers.h"

namespace vexmolda {

// Effects that fire together under one condition.
struct GroundEffect {
    Dnf condition;         // true for the unconditional part
    Dnf negation;          // the condition's negation
    std::vector<int> add;  // facts
    std::vector<int> del;
    long long cost = 0;
};

// The effects of an action under a binding: [0] unconditional, then one per
// distinct condition that static facts and the binding left open. Conditions
// decided false are dropped, and "when l, make l false" fires unconditionally.
std::vector<GroundEffect> groundEffects(const PddlEffect& effect, const PddlProblem& problem,
                                        const PddlBinding& binding, FormulaGrounder& grounder, DnfBudget& budget);

// One operation of a split: what it requires and what it does.
struct EffectVariant {
    Conjunction pre;
    std::vector<int> add;
    std::vector<int> del;  // never a fact that add holds: adds win, as in PDDL
    long long cost = 0;
};

// The precondition combined with every choice of firing conditional effects;
// false with the count when more than maxDisjuncts variants would be needed.
bool splitVariants(const Dnf& precondition, const std::vector<GroundEffect>& effects,
                   std::vector<EffectVariant>& variants, double& needed);

}  // namespace vexmolda

#include "pddl/ConditionalEffects.h"

#include <algorithm>
#include <cmath>

#include "pddl/ActionCosts.h"

namespace vexmolda {

namespace {

void collect(const PddlEffect& effect, const PddlProblem& problem, const PddlBinding& binding,
             const Dnf& condition, const Dnf& negation, FormulaGrounder& grounder, DnfBudget& budget,
             std::vector<GroundEffect>& out) {
    using Kind = PddlEffect::Kind;
    if (condition.isFalse() || budget.exceeded) return;
    auto target = [&]() -> GroundEffect& {
        for (GroundEffect& existing : out) {
            if (existing.condition.disjuncts == condition.disjuncts) return existing;
        }
        out.push_back({condition, negation, {}, {}, 0});
        return out.back();
    };
    switch (effect.kind) {
    case Kind::Add:
        target().add.push_back(grounder.fact(effect.atom, binding));
        return;
    case Kind::Del:
        target().del.push_back(grounder.fact(effect.atom, binding));
        return;
    case Kind::Cost:
        target().cost += costIncrease(effect.cost, problem, binding);
        return;
    case Kind::And:
        for (const PddlEffect& part : effect.parts) {
            collect(part, problem, binding, condition, negation, grounder, budget, out);
        }
        return;
    case Kind::Forall: {
        // Over every combination of the variables' objects.
        PddlBinding inner = binding;
        BindingOdometer combination = grounder.combinations(effect.variables);
        if (!combination.any()) return;
        do {
            if (grounder.stopAsked()) {
                budget.exceeded = true;
                return;
            }
            grounder.bindCombination(effect.variables, combination, inner);
            collect(effect.parts[0], problem, inner, condition, negation, grounder, budget, out);
        } while (combination.advance());
        return;
    }
    case Kind::When: {
        const Dnf own = grounder.ground(effect.condition, binding, true, budget);
        const Dnf ownNegation = grounder.ground(effect.condition, binding, false, budget);
        collect(effect.parts[0], problem, binding, conjoin(condition, own, budget),
                disjoin(negation, ownNegation, budget), grounder, budget, out);
        return;
    }
    }
}

void sortUnique(std::vector<int>& facts) {
    std::sort(facts.begin(), facts.end());
    facts.erase(std::unique(facts.begin(), facts.end()), facts.end());
}

// "when l, make l false" changes nothing when l is false already.
bool onlyFalsifiesItsCondition(const GroundEffect& effect) {
    if (effect.condition.disjuncts.size() != 1 || effect.condition.disjuncts[0].size() != 1 || effect.cost != 0) {
        return false;
    }
    const GroundLiteral literal = effect.condition.disjuncts[0][0];
    const int fact = literalFact(literal);
    const std::vector<int>& falsifying = isNegated(literal) ? effect.add : effect.del;
    const std::vector<int>& other = isNegated(literal) ? effect.del : effect.add;
    return other.empty() && !falsifying.empty() &&
           std::all_of(falsifying.begin(), falsifying.end(), [&](int f) { return f == fact; });
}

}  // namespace

std::vector<GroundEffect> groundEffects(const PddlEffect& effect, const PddlProblem& problem,
                                        const PddlBinding& binding, FormulaGrounder& grounder, DnfBudget& budget) {
    std::vector<GroundEffect> effects = {{Dnf::truth(true), Dnf::truth(false), {}, {}, 0}};
    collect(effect, problem, binding, Dnf::truth(true), Dnf::truth(false), grounder, budget, effects);
    std::vector<GroundEffect> result = {effects[0]};
    for (std::size_t i = 1; i < effects.size(); ++i) {
        GroundEffect& conditional = effects[i];
        if (onlyFalsifiesItsCondition(conditional)) {
            result[0].add.insert(result[0].add.end(), conditional.add.begin(), conditional.add.end());
            result[0].del.insert(result[0].del.end(), conditional.del.begin(), conditional.del.end());
        } else if (!conditional.add.empty() || !conditional.del.empty() || conditional.cost != 0) {
            result.push_back(std::move(conditional));
        }
    }
    for (GroundEffect& grounded : result) {
        sortUnique(grounded.add);
        sortUnique(grounded.del);
    }
    return result;
}

bool splitVariants(const Dnf& precondition, const std::vector<GroundEffect>& effects,
                   std::vector<EffectVariant>& variants, double& needed) {
    variants.clear();
    const std::size_t conditional = effects.size() - 1;
    const double choices = std::pow(2.0, static_cast<double>(conditional));
    // Past 16 conditional effects even counting the variants takes too long.
    if (conditional > 16) {
        needed = choices * static_cast<double>(precondition.disjuncts.size());
        return false;
    }
    double total = 0;
    for (std::size_t mask = 0; mask < (std::size_t{1} << conditional); ++mask) {
        DnfBudget budget;
        Dnf condition = precondition;
        for (std::size_t i = 0; i < conditional && !condition.isFalse(); ++i) {
            const GroundEffect& effect = effects[i + 1];
            condition = conjoin(condition, (mask >> i) & 1 ? effect.condition : effect.negation, budget);
        }
        if (budget.exceeded) {
            needed = budget.wanted;
            return false;
        }
        total += static_cast<double>(condition.disjuncts.size());
        if (total > static_cast<double>(maxDisjuncts)) continue;  // only counted from here on
        for (const Conjunction& pre : condition.disjuncts) {
            EffectVariant variant;
            variant.pre = pre;
            for (std::size_t i = 0; i <= conditional; ++i) {
                if (i > 0 && !((mask >> (i - 1)) & 1)) continue;
                variant.add.insert(variant.add.end(), effects[i].add.begin(), effects[i].add.end());
                variant.del.insert(variant.del.end(), effects[i].del.begin(), effects[i].del.end());
                variant.cost += effects[i].cost;
            }
            sortUnique(variant.add);
            sortUnique(variant.del);
            std::vector<int> del;
            std::set_difference(variant.del.begin(), variant.del.end(), variant.add.begin(), variant.add.end(),
                                std::back_inserter(del));
            variant.del = std::move(del);
            variants.push_back(std::move(variant));
        }
    }
    if (total > static_cast<double>(maxDisjuncts)) {
        needed = total;
        variants.clear();
        return false;
    }
    return true;
}

}  // namespace vexmolda

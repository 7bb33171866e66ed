#include "pddl/Disjunction.h"

#include <algorithm>

namespace vexmolda {

namespace {

// Drops repeated disjuncts and those that another, smaller one implies.
void simplify(std::vector<Conjunction>& disjuncts) {
    std::sort(disjuncts.begin(), disjuncts.end(), [](const Conjunction& a, const Conjunction& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    disjuncts.erase(std::unique(disjuncts.begin(), disjuncts.end()), disjuncts.end());
    // Absorption is quadratic: only worth it on small sets.
    if (disjuncts.size() > 256) return;
    std::vector<Conjunction> kept;
    for (const Conjunction& candidate : disjuncts) {
        const bool absorbed = std::any_of(kept.begin(), kept.end(), [&](const Conjunction& smaller) {
            return std::includes(candidate.begin(), candidate.end(), smaller.begin(), smaller.end());
        });
        if (!absorbed) kept.push_back(candidate);
    }
    disjuncts = std::move(kept);
}

// The simplified formula, or false with the budget marked exceeded when it
// still has more disjuncts than the limit.
Dnf simplifiedWithinBudget(Dnf formula, DnfBudget& budget) {
    simplify(formula.disjuncts);
    if (formula.disjuncts.size() > maxDisjuncts) {
        budget.exceeded = true;
        budget.wanted = static_cast<double>(formula.disjuncts.size());
        return Dnf::truth(false);
    }
    return formula;
}

bool contradicts(const Conjunction& conjunction) {
    for (std::size_t i = 1; i < conjunction.size(); ++i) {
        if (literalFact(conjunction[i]) == literalFact(conjunction[i - 1])) return true;
    }
    return false;
}

}  // namespace

Dnf Dnf::truth(bool value) {
    Dnf dnf;
    if (value) dnf.disjuncts.emplace_back();
    return dnf;
}

Dnf Dnf::literal(GroundLiteral literal) {
    Dnf dnf;
    dnf.disjuncts.push_back({literal});
    return dnf;
}

Dnf conjoin(const Dnf& left, const Dnf& right, DnfBudget& budget) {
    const double size = static_cast<double>(left.disjuncts.size()) * static_cast<double>(right.disjuncts.size());
    if (budget.exceeded || size > static_cast<double>(maxDisjuncts) * 8) {
        if (!budget.exceeded) budget.wanted = size;
        budget.exceeded = true;
        return Dnf::truth(false);
    }
    Dnf result;
    for (const Conjunction& a : left.disjuncts) {
        for (const Conjunction& b : right.disjuncts) {
            Conjunction both;
            std::set_union(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(both));
            if (!contradicts(both)) result.disjuncts.push_back(std::move(both));
        }
    }
    return simplifiedWithinBudget(std::move(result), budget);
}

Dnf disjoin(const Dnf& left, const Dnf& right, DnfBudget& budget) {
    if (budget.exceeded) return Dnf::truth(false);
    Dnf result = left;
    result.disjuncts.insert(result.disjuncts.end(), right.disjuncts.begin(), right.disjuncts.end());
    return simplifiedWithinBudget(std::move(result), budget);
}

}  // namespace vexmolda

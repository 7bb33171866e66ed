#pragma once
// Conditions over ground facts in disjunctive normal form: one operation per disjunct.

#include <cstddef>
#include <vector>

namespace vexmolda {

// A ground literal: fact id times two, plus one when negated.
using GroundLiteral = int;

inline GroundLiteral positiveLiteral(int fact) { return fact * 2; }
inline GroundLiteral negativeLiteral(int fact) { return fact * 2 + 1; }
inline int literalFact(GroundLiteral literal) { return literal / 2; }
inline bool isNegated(GroundLiteral literal) { return literal % 2 == 1; }

// Sorted literals that hold together; never a literal and its negation.
using Conjunction = std::vector<GroundLiteral>;

// A disjunction of conjunctions: empty is false, one empty conjunction is true.
struct Dnf {
    std::vector<Conjunction> disjuncts;

    static Dnf truth(bool value);
    static Dnf literal(GroundLiteral literal);
    bool isTrue() const { return disjuncts.size() == 1 && disjuncts[0].empty(); }
    bool isFalse() const { return disjuncts.empty(); }
};

// Disjunct counts beyond this make a condition too large to compile.
constexpr std::size_t maxDisjuncts = 4096;

// Tracks whether a result grew past maxDisjuncts, and how far.
struct DnfBudget {
    bool exceeded = false;
    double wanted = 0;  // the size that was asked for when exceeded
};

// Both hold; disjuncts that contradict themselves are dropped.
Dnf conjoin(const Dnf& left, const Dnf& right, DnfBudget& budget);

// Either holds.
Dnf disjoin(const Dnf& left, const Dnf& right, DnfBudget& budget);

}  // namespace vexmolda

#pragma once
// Constraints on the atoms an operation's parameters may take together.

#include <memory>
#include <set>
#include <string>

#include "domain/Atom.h"
#include "domain/CreationSequence.h"
#include "domain/Type.h"

namespace vexmolda {

// Asked during grounding about the bindings of one candidate.
class Constraint : public Sequenced {
public:
    explicit Constraint(bool negated) : negated(negated) {}
    virtual bool holds(const ParameterBindings& bindings) const = 0;
    virtual std::string toString() const = 0;
    virtual ~Constraint() = default;

    const bool negated;
};

// A set of owned constraints, ordered by creation.
using ConstraintSet = std::set<Constraint*, BySequence>;
void destroyConstraints(ConstraintSet& constraints);

// The atom bound to a variable is one of the atoms, or has one of the types.
class ConstInOf : public Constraint {
public:
    ConstInOf(Variable* variable, bool negated) : Constraint(negated), variable(variable) {}
    bool holds(const ParameterBindings& bindings) const override;
    std::string toString() const override;

    Variable* const variable;
    std::set<Atom*, BySequence> atoms;  // atoms, or parameters of the same operation
    std::set<Type*, BySequence> types;
};

// An implication: when the conditions hold (all of them, or one), every
// consequence must hold.
class CondConst : public Constraint {
public:
    CondConst() : Constraint(false) {}
    ~CondConst() override;
    bool holds(const ParameterBindings& bindings) const override;
    std::string toString() const override;

    ConstraintSet conditions;
    ConstraintSet consequences;
    bool oneOf = false;
};

}  // namespace vexmolda

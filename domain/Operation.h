#pragma once
// Operation schemas: typed parameters, literal sets and constraints.

#include <memory>
#include <string>
#include <vector>

#include "domain/Atom.h"
#include "domain/Constraint.h"
#include "domain/State.h"

namespace vexmolda {

// An action schema over its parameters; owns parameters and constraints.
class Operation {
public:
    explicit Operation(std::string name) : name(std::move(name)) {}
    ~Operation();

    // Appends a parameter (made with makeVariable).
    void addParameter(std::unique_ptr<Variable> variable);

    std::string name;
    bool typed = true;
    std::vector<Variable*> params;
    ConstraintSet constraints;
    State pre;
    State add;
    State del;

private:
    std::vector<std::unique_ptr<Variable>> ownedParams;
};

// The first parameter of that name, or null.
Variable* findVariable(const Operation& operation, const std::string& name);

}  // namespace vexmolda

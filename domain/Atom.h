#pragma once
// Objects of a domain, and the typed parameters of predicates and operations.

#include <memory>
#include <string>

#include "domain/CreationSequence.h"
#include "domain/Type.h"

namespace vexmolda {

// An object of the domain, of one fixed type.
class Atom : public Sequenced {
public:
    Atom(std::string name, Type* type) : name(std::move(name)), type(type) {}
    virtual ~Atom() = default;

    // Appends the type's chain, ":" and the name.
    virtual void print(std::string& out) const;

    const std::string name;
    Type* const type;
};

// A parameter of a predicate or an operation; grounding binds it to an atom.
class Variable : public Atom {
public:
    using Atom::Atom;
    Atom* binding = nullptr;
};

std::unique_ptr<Variable> makeVariable(const std::string& name, Type* type);

}  // namespace vexmolda

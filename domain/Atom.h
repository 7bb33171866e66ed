#pragma once
// Objects of a domain, and the typed parameters of predicates and operations.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

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
    // Its place in the owner's parameter list; set when the owner adds it.
    std::size_t position = 0;
};

std::unique_ptr<Variable> makeVariable(const std::string& name, Type* type);

// The objects bound to one operation's parameters while a binding is checked
// and grounded. Each grounding keeps its own, so the model stays read-only.
class ParameterBindings {
public:
    // Every parameter of an operation with that many unbound.
    void reset(std::size_t parameterCount) { objects.assign(parameterCount, nullptr); }
    void bind(const Variable& parameter, Atom* object);
    // The parameter's object; null while it is unbound.
    Atom* boundTo(const Variable& parameter) const;
    // A parameter's object for a parameter, any other argument itself.
    Atom* resolve(Atom* argument) const;

private:
    std::vector<Atom*> objects;
};

}  // namespace vexmolda

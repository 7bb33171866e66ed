#pragma once
// One planning domain and problem: the registries, the fact pool, "any",
// the initial state and the goal.

#include <string>
#include <vector>

#include "domain/Atom.h"
#include "domain/Diagnostics.h"
#include "domain/Fact.h"
#include "domain/NameRegistry.h"
#include "domain/Operation.h"
#include "domain/State.h"
#include "domain/Type.h"

namespace vexmolda {

// Owns every object of the domain; states refer into the fact pool.
class Model {
public:
    Type* declareType(const std::string& name, Type* parent, Diagnostics& diagnostics);
    Type* findType(const std::string& name) const { return types.find(name); }
    Atom* declareAtom(const std::string& name, Type* type, Diagnostics& diagnostics);
    // Finds an object of the registry (never a Variable).
    Atom* findAtom(const std::string& name) const { return atoms.find(name); }
    Predicate* declarePredicate(const std::string& name, Diagnostics& diagnostics);
    Predicate* findPredicate(const std::string& name) const { return predicates.find(name); }
    Operation* declareOperation(const std::string& name, Diagnostics& diagnostics);
    Operation* findOperation(const std::string& name) const { return operations.find(name); }

    // The interned fact after the predicate, count and exact type checks; null
    // after a message when a check fails.
    Fact* makeFact(const std::string& name, const std::vector<Atom*>& args, Diagnostics& diagnostics);
    // makeFact interning into the given pool (the model's own, or one layered over it).
    Fact* makeFactIn(FactPool& pool, const std::string& name, const std::vector<Atom*>& args,
                     Diagnostics& diagnostics) const;
    // makeFact's checks alone: nothing interned, no message.
    FactCheck checkFact(const std::string& name, const std::vector<Atom*>& args) const;

    // The subtype rule of grounding: any, the atom's type or one of its ancestors.
    bool fits(const Atom& atom, const Type* parameterType) const;

    // Destroys the whole domain and declares "any" anew.
    void clear();

    NameRegistry<Type> types;
    NameRegistry<Atom> atoms;
    NameRegistry<Predicate> predicates;
    NameRegistry<Operation> operations;
    FactPool facts;
    // The type "any"; null until the first clear.
    Type* anyType = nullptr;
    State initState;
    State goalState;
};

}  // namespace vexmolda

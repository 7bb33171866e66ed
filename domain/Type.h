#pragma once
// Named types with an optional parent, and the distinguished type "any".

#include <string>

#include "domain/CreationSequence.h"
#include "domain/NameRegistry.h"

namespace vexmolda {

// A type of objects; "derived" gives it a parent, "type" does not.
class Type : public MapMe<Type>, public Sequenced {
public:
    Type(std::string name, Type* parent) : name(std::move(name)), parent(parent) {}
    virtual ~Type() = default;

    // Appends the name and, after "->", the parent chain.
    virtual void print(std::string& out) const;

    const std::string name;
    Type* const parent;
};

// The type "any"; null until the first wipe.
extern Type* anyType;

Type* declareType(const std::string& name, Type* parent);
Type* findType(const std::string& name);
// Destroys every type and declares "any" anew.
void clearTypes();
// The subtype rule of grounding: any, the atom's type or one of its ancestors.
bool fits(const class Atom& atom, const Type* parameterType);

}  // namespace vexmolda

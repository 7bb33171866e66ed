#pragma once
// Named types with an optional parent.

#include <string>

#include "domain/CreationSequence.h"

namespace vexmolda {

// A type of objects; "derived" gives it a parent, "type" does not.
class Type : public Sequenced {
public:
    Type(std::string name, Type* parent) : name(std::move(name)), parent(parent) {}
    virtual ~Type() = default;

    // Appends the name and, after "->", the parent chain.
    virtual void print(std::string& out) const;

    const std::string name;
    Type* const parent;
};


}  // namespace vexmolda

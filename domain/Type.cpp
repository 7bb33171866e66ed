#include "domain/Type.h"

#include <memory>

#include "domain/Atom.h"

namespace vexmolda {

Type* anyType = nullptr;

void Type::print(std::string& out) const {
    out += name;
    if (parent) {
        out += "->";
        parent->print(out);
    }
}

Type* declareType(const std::string& name, Type* parent) {
    return Type::registry().declare(name, [&] { return std::make_unique<Type>(name, parent); });
}

Type* findType(const std::string& name) { return Type::registry().find(name); }

void clearTypes() {
    anyType = nullptr;
    Type::registry().clear();
    anyType = declareType("any", nullptr);
}

bool fits(const Atom& atom, const Type* parameterType) {
    if (parameterType == anyType) return true;
    for (const Type* type = atom.type; type; type = type->parent) {
        if (type == parameterType) return true;
    }
    return false;
}

}  // namespace vexmolda

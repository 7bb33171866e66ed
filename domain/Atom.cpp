#include "domain/Atom.h"

namespace vexmolda {

void Atom::print(std::string& out) const {
    type->print(out);
    out += ":";
    out += name;
}

Atom* declareAtom(const std::string& name, Type* type) {
    return Atom::registry().declare(name, [&] { return std::make_unique<Atom>(name, type); });
}

Atom* findAtom(const std::string& name) { return Atom::registry().find(name); }

std::unique_ptr<Variable> makeVariable(const std::string& name, Type* type) {
    return std::make_unique<Variable>(name, type);
}

void clearAtoms() { Atom::registry().clear(); }

}  // namespace vexmolda

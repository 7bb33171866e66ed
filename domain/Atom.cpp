#include "domain/Atom.h"

namespace vexmolda {

void Atom::print(std::string& out) const {
    type->print(out);
    out += ":";
    out += name;
}

std::unique_ptr<Variable> makeVariable(const std::string& name, Type* type) {
    return std::make_unique<Variable>(name, type);
}

}  // namespace vexmolda

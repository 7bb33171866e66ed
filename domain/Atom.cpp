#include "domain/Atom.h"

#include <cassert>

namespace vexmolda {

void Atom::print(std::string& out) const {
    type->print(out);
    out += ":";
    out += name;
}

std::unique_ptr<Variable> makeVariable(const std::string& name, Type* type) {
    return std::make_unique<Variable>(name, type);
}

void ParameterBindings::bind(const Variable& parameter, Atom* object) {
    assert(parameter.position < objects.size());
    objects[parameter.position] = object;
}

Atom* ParameterBindings::boundTo(const Variable& parameter) const {
    return parameter.position < objects.size() ? objects[parameter.position] : nullptr;
}

Atom* ParameterBindings::resolve(Atom* argument) const {
    auto* parameter = dynamic_cast<Variable*>(argument);
    return parameter ? boundTo(*parameter) : argument;
}

}  // namespace vexmolda

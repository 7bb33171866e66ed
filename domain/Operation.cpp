#include "domain/Operation.h"

namespace vexmolda {

Operation::~Operation() { destroyConstraints(constraints); }

void Operation::addParameter(std::unique_ptr<Variable> variable) {
    variable->position = params.size();
    params.push_back(variable.get());
    ownedParams.push_back(std::move(variable));
}

Variable* findVariable(const Operation& operation, const std::string& name) {
    for (Variable* parameter : operation.params) {
        if (parameter->name == name) return parameter;
    }
    return nullptr;
}

}  // namespace vexmolda

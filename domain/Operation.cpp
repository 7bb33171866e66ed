#include "domain/Operation.h"

namespace vexmolda {

NameRegistry<Operation> operations;

Operation::~Operation() { destroyConstraints(constraints); }

void Operation::addParameter(std::unique_ptr<Variable> variable) {
    params.push_back(variable.get());
    ownedParams.push_back(std::move(variable));
}

Operation* declareOperation(const std::string& name) {
    return operations.declare(name, [&] { return std::make_unique<Operation>(name); });
}

Operation* findOperation(const std::string& name) { return operations.find(name); }

Variable* findVariable(const Operation& operation, const std::string& name) {
    for (Variable* parameter : operation.params) {
        if (parameter->name == name) return parameter;
    }
    return nullptr;
}

void clearOperations() { operations.clear(); }

}  // namespace vexmolda

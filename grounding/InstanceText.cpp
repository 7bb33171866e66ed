#include "grounding/InstanceText.h"

#include <span>

#include "grounding/Grounding.h"

namespace vexmolda {

namespace {

template <class Element>
std::string signature(const std::string& name, bool typed, std::span<Element* const> elements) {
    std::string text = name + "(";
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (i > 0) text += typed ? ", " : ",";
        if (typed) text += elements[i]->type->name + ":";
        text += elements[i]->name;
    }
    return text + ")\n";
}

}  // namespace

std::string signatureText(const Operation& operation) {
    return signature<Variable>(operation.name, operation.typed, operation.params);
}

std::string signatureText(const OperationInstance& instance) {
    // Instances show their objects untyped.
    return signature<Atom>(instance.name(), false, instance.args());
}

std::string operationBlockText(const Operation& operation, const InstanceList& instances) {
    std::string head = signatureText(operation);
    head.pop_back();
    std::string text = "\n" + head + " - (" + std::to_string(countInstances(instances, operation)) + " instances)\n";
    text += "  pre: " + stateText(operation.pre);
    text += "  del: " + stateText(operation.del);
    text += "  add: " + stateText(operation.add);
    text += "  const: ";
    bool first = true;
    for (const Constraint* constraint : operation.constraints) {
        if (!first) text += " ^ ";
        text += constraint->toString();
        first = false;
    }
    return text + "\n";
}

std::string instancesText(const InstanceList& instances) {
    std::string text;
    for (const auto& instance : instances) text += signatureText(*instance);
    return text;
}

}  // namespace vexmolda

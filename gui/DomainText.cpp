#include "gui/DomainText.h"

#include <cstdio>

#include "domain/Model.h"
#include "grounding/Grounding.h"
#include "grounding/InstanceText.h"

namespace vexmolda {

namespace {

template <class Registry, class Describe>
std::string joined(const Registry& registry, Describe describe) {
    std::string text;
    bool first = true;
    for (const auto& [name, object] : registry) {
        if (!first) text += ", ";
        text += describe(*object);
        first = false;
    }
    return text;
}

}  // namespace

std::string typesText(const Model& model) {
    return joined(model.types, [](const Type& type) {
        return type.parent ? type.name + "->" + type.parent->name : type.name;
    });
}

std::string atomsText(const Model& model) {
    return joined(model.atoms, [](const Atom& atom) { return atom.name + "[" + atom.type->name + "]"; });
}

std::string predicatesText(const Model& model) {
    return joined(model.predicates, [](const Predicate& predicate) { return factText(predicate); });
}

std::string operationsText(const Model& model, const InstanceList& instances) {
    std::string text;
    for (const auto& [name, operation] : model.operations) {
        std::string head = signatureText(*operation);
        head.pop_back();
        char count[31];
        std::snprintf(count, sizeof count, " - (%d)\n", countInstances(instances, *operation));
        text += "\n" + head + count;
        text += "   pre:\t" + stateText(operation->pre);
        text += "   add:\t" + stateText(operation->add);
        text += "   del:\t" + stateText(operation->del);
        text += "   const:\t";
        bool first = true;
        for (const Constraint* constraint : operation->constraints) {
            if (!first) text += ", ";
            text += constraint->toString();
            first = false;
        }
        text += "\n";
    }
    return text;
}

}  // namespace vexmolda

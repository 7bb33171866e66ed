#include "pddl/TranslationNames.h"

#include <set>

namespace vexmolda {

namespace {

template <class Named>
std::vector<std::string> keys(const std::vector<Named>& items) {
    std::vector<std::string> names;
    for (const Named& item : items) names.push_back(item.name);
    return names;
}

// Allocates the names of items in order into their map.
template <class Named>
void nameAll(NameAllocator allocator, const std::vector<Named>& items, std::map<std::string, std::string>& names) {
    const std::vector<std::string> allocated = allocator.allocateAll(keys(items));
    for (std::size_t i = 0; i < items.size(); ++i) names[items[i].name] = allocated[i];
}

}  // namespace

TranslationNames nameTask(const PddlTask& task, PddlNames& names) {
    const PddlDomain& domain = task.domain;
    TranslationNames result;
    result.typeName[pddlRootType] = pddlRootType;
    nameAll(NameAllocator({anyTypeName, pddlRootType}), domain.types, result.typeName);
    // Objects never take a type's name: constraint members look types up first.
    std::set<std::string> reserved = {anyTypeName};
    for (const auto& [pddl, command] : result.typeName) reserved.insert(command);
    const std::vector<PddlTypedName> objects = task.allObjects();
    nameAll(NameAllocator(reserved), objects, result.objectName);
    for (const PddlTypedName& object : objects) names.objectSpelling[result.objectName.at(object.name)] = object.spelling;
    nameAll(NameAllocator(), domain.predicates, result.predicateName);
    nameAll(NameAllocator(), domain.actions, result.actionName);
    for (const PddlAction& action : domain.actions) names.actionSpelling[result.actionName.at(action.name)] = action.spelling;
    return result;
}

std::map<std::string, std::string> parameterNames(const PddlAction& action, const TranslationNames& names) {
    std::set<std::string> reserved;
    for (const auto& [pddl, command] : names.objectName) reserved.insert(command);
    std::map<std::string, std::string> parameters;
    nameAll(NameAllocator(reserved), action.params, parameters);
    return parameters;
}

void writeTypeLines(const PddlDomain& domain, const TranslationNames& names, std::vector<std::string>& lines) {
    lines.push_back("type " + std::string(pddlRootType));
    // One "derived" line per parent, in the order the parents' first children come.
    std::vector<std::string> parents;
    std::map<std::string, std::string> children;
    for (const PddlType& type : domain.types) {
        if (!children.count(type.parent)) parents.push_back(type.parent);
        children[type.parent] += " " + names.typeName.at(type.name);
    }
    for (const std::string& parent : parents) lines.push_back("derived " + names.typeName.at(parent) + children[parent]);
}

void writeAtomLines(const std::vector<PddlTypedName>& objects, const TranslationNames& names,
                    std::vector<std::string>& lines) {
    std::vector<std::string> order;
    std::map<std::string, std::string> members;
    for (const PddlTypedName& object : objects) {
        if (!members.count(object.type)) order.push_back(object.type);
        members[object.type] += " " + names.objectName.at(object.name);
    }
    for (const std::string& type : order) lines.push_back("atom " + names.typeName.at(type) + members[type]);
}

std::string predicateLine(const std::string& name, const PddlPredicate& predicate,
                          const std::vector<std::string>& types) {
    std::string line = "pred " + name;
    for (std::size_t i = 0; i < predicate.params.size(); ++i) {
        line += (i == 0 ? "(" : ", ") + types[i] + ":" + commandSafeName(predicate.params[i].name);
    }
    if (!predicate.params.empty()) line += ")";
    return line;
}

}  // namespace vexmolda

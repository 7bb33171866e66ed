#include "pddl/PddlModel.h"

#include <cassert>

namespace vexmolda {

namespace {

template <class T>
const T* findByName(const std::vector<T>& items, const std::string& name) {
    for (const T& item : items) {
        if (item.name == name) return &item;
    }
    return nullptr;
}

template <class T>
const T* findIndexed(const std::vector<T>& items, const PddlNameIndex& index, const std::string& name) {
    auto found = index.find(name);
    if (found == index.end()) return nullptr;
    assert(found->second < items.size() && items[found->second].name == name);
    return &items[found->second];
}

// A repeated name stays found at its first place.
template <class T>
void addIndexed(std::vector<T>& items, PddlNameIndex& index, T item) {
    index.emplace(item.name, items.size());
    items.push_back(std::move(item));
}

}  // namespace

void PddlDomain::addType(PddlType type) { addIndexed(types, typeIndex, std::move(type)); }

void PddlDomain::addConstant(PddlTypedName constant) { addIndexed(constants, constantIndex, std::move(constant)); }

void PddlDomain::addPredicate(PddlPredicate predicate) {
    addIndexed(predicates, predicateIndex, std::move(predicate));
}

const PddlPredicate* PddlDomain::findPredicate(const std::string& name) const {
    return findIndexed(predicates, predicateIndex, name);
}

const PddlType* PddlDomain::findType(const std::string& name) const { return findIndexed(types, typeIndex, name); }

const PddlTypedName* PddlDomain::findConstant(const std::string& name) const {
    return findIndexed(constants, constantIndex, name);
}

const PddlAction* PddlDomain::findAction(const std::string& name) const { return findByName(actions, name); }

bool PddlDomain::hasType(const std::string& name) const { return name == pddlRootType || findType(name); }

bool PddlDomain::isSubtype(const std::string& type, const std::string& ancestor) const {
    if (ancestor == pddlRootType) return true;
    // The reader refuses cycles, so the walk ends at the root.
    for (std::string current = type;;) {
        if (current == ancestor) return true;
        const PddlType* declared = findType(current);
        if (!declared) return false;
        current = declared->parent;
    }
}

bool PddlDomain::fits(const PddlTypedName& object, const PddlTypedName& parameter) const {
    const std::vector<std::string> objectTypes = object.either.empty() ? std::vector<std::string>{object.type} : object.either;
    const std::vector<std::string> wanted =
        parameter.either.empty() ? std::vector<std::string>{parameter.type} : parameter.either;
    for (const std::string& type : objectTypes) {
        for (const std::string& ancestor : wanted) {
            if (isSubtype(type, ancestor)) return true;
        }
    }
    return false;
}

const PddlFunction* PddlDomain::findFunction(const std::string& name) const { return findByName(functions, name); }

std::vector<PddlTypedName> PddlTask::allObjects() const {
    std::vector<PddlTypedName> all = domain.constants;
    all.insert(all.end(), problem.objects.begin(), problem.objects.end());
    return all;
}

void PddlProblem::addObject(PddlTypedName object) { addIndexed(objects, objectIndex, std::move(object)); }

const PddlTypedName* PddlProblem::findObject(const std::string& name) const {
    return findIndexed(objects, objectIndex, name);
}

const PddlTypedName* PddlTask::findObject(const std::string& name) const {
    if (const PddlTypedName* constant = domain.findConstant(name)) return constant;
    return problem.findObject(name);
}

}  // namespace vexmolda

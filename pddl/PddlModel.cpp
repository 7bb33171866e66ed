#include "pddl/PddlModel.h"

namespace vexmolda {

namespace {

template <class T>
const T* findByName(const std::vector<T>& items, const std::string& name) {
    for (const T& item : items) {
        if (item.name == name) return &item;
    }
    return nullptr;
}

}  // namespace

const PddlPredicate* PddlDomain::findPredicate(const std::string& name) const { return findByName(predicates, name); }

const PddlType* PddlDomain::findType(const std::string& name) const { return findByName(types, name); }

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

const PddlTypedName* PddlTask::findObject(const std::string& name) const {
    if (const PddlTypedName* constant = findByName(domain.constants, name)) return constant;
    return findByName(problem.objects, name);
}

}  // namespace vexmolda

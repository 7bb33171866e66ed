#include "domain/Constraint.h"

namespace vexmolda {

void destroyConstraints(ConstraintSet& constraints) {
    for (Constraint* constraint : constraints) delete constraint;
    constraints.clear();
}

bool ConstInOf::holds(const ParameterBindings& bindings) const {
    const Atom* bound = bindings.boundTo(*variable);
    if (bound && types.count(bound->type)) return !negated;
    if (bound && atoms.count(const_cast<Atom*>(bound))) return !negated;
    return negated;
}

std::string ConstInOf::toString() const {
    std::string members;
    std::size_t count = 0;
    auto addMember = [&](const std::string& name) {
        if (count++ > 0) members += "|";
        members += name;
    };
    for (const Atom* atom : atoms) addMember(atom->name);
    for (const Type* type : types) addMember(type->name);
    std::string text = variable->name + (negated ? "!=" : "=");
    return count > 1 ? text + "{" + members + "}" : text + members;
}

CondConst::~CondConst() {
    destroyConstraints(conditions);
    destroyConstraints(consequences);
}

bool CondConst::holds(const ParameterBindings& bindings) const {
    bool triggered = !oneOf;
    for (const Constraint* condition : conditions) {
        const bool conditionHolds = condition->holds(bindings);
        if (!oneOf && !conditionHolds) return true;
        if (oneOf && conditionHolds) {
            triggered = true;
            break;
        }
    }
    if (!triggered) return true;
    for (const Constraint* consequence : consequences) {
        if (!consequence->holds(bindings)) return false;
    }
    return true;
}

std::string CondConst::toString() const {
    auto join = [](const ConstraintSet& set, const char* separator) {
        std::string text;
        for (const Constraint* constraint : set) {
            if (!text.empty()) text += separator;
            text += constraint->toString();
        }
        return text;
    };
    return "[" + join(conditions, oneOf ? " v " : " ^ ") + "]=>[" + join(consequences, " ^ ") + "]";
}

}  // namespace vexmolda

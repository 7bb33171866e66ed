#include "grounding/Grounding.h"

#include <algorithm>
#include <array>
#include <set>

#include "command/Switches.h"
#include "command/TextBuffer.h"
#include "domain/Type.h"

namespace vexmolda {

namespace {

// Type and duplicate checks position by position, binding as it goes.
void bindParameters(const Operation& operation, const std::vector<Atom*>& objects, bool noDups,
                    BindingCheck& check) {
    for (std::size_t i = 0; i < objects.size(); ++i) {
        Atom* object = objects[i];
        Variable* parameter = operation.params[i];
        if (!fits(*object, parameter->type)) {
            check.refusal = Refusal::typeMismatch;
            check.object = object;
            check.expected = parameter->type;
            check.message = "Type mismatch, " + object->name + " is type " + object->type->name + ", but " +
                            parameter->type->name + " expected\n";
            return;
        }
        if (noDups) {
            for (std::size_t j = i + 1; j < objects.size(); ++j) {
                if (objects[j] == object) {
                    check.refusal = Refusal::duplicateObject;
                    return;
                }
            }
        }
        parameter->binding = object;
    }
}

bool constraintsHold(const Operation& operation, bool ignConst) {
    if (ignConst) return true;
    for (const Constraint* constraint : operation.constraints) {
        if (!constraint->holds()) return false;
    }
    return true;
}

bool groundWithoutInterning(const State& source, std::vector<GroundFact>& target, BindingCheck& check) {
    for (const Fact* fact : source) {
        GroundFact ground{fact->name, fact->args};
        for (Atom*& arg : ground.args) {
            if (auto* variable = dynamic_cast<Variable*>(arg)) arg = variable->binding;
        }
        const FactCheck factCheck = checkFact(ground.name, ground.args);
        if (!factCheck.passed()) {
            check.refusal = factCheck.mismatched ? Refusal::typeMismatch : Refusal::factRefused;
            check.object = factCheck.mismatched;
            check.expected = factCheck.expected;
            check.message = factCheck.message;
            return false;
        }
        target.push_back(std::move(ground));
    }
    return true;
}

// Calls visit for every tuple of fitting objects, in odometer order (the
// last parameter fastest); none when some parameter has no candidate.
template <class Visit>
void forEachCandidateTuple(const Operation& operation, Visit visit) {
    std::vector<std::vector<Atom*>> candidates;
    for (const Variable* parameter : operation.params) {
        std::vector<Atom*> fitting;
        for (const auto& [atomName, atom] : Atom::registry()) {
            if (fits(*atom, parameter->type)) fitting.push_back(atom.get());
        }
        if (fitting.empty()) return;
        candidates.push_back(std::move(fitting));
    }
    std::vector<std::size_t> odometer(candidates.size(), 0);
    std::vector<Atom*> tuple(candidates.size());
    while (true) {
        for (std::size_t i = 0; i < candidates.size(); ++i) tuple[i] = candidates[i][odometer[i]];
        visit(tuple);
        // Advance the last wheel; carry into the one before when it runs out.
        bool advanced = false;
        for (std::size_t position = candidates.size(); position > 0 && !advanced;) {
            --position;
            if (++odometer[position] < candidates[position].size()) {
                advanced = true;
            } else {
                odometer[position] = 0;
            }
        }
        if (!advanced) return;
    }
}

}  // namespace

GroundingSwitches currentGroundingSwitches() { return {noDups, ignConst, filterReds}; }

BindingCheck checkBinding(const std::string& operationName, const std::vector<Atom*>& objects) {
    return checkBinding(operationName, objects, currentGroundingSwitches());
}

BindingCheck checkBinding(const std::string& operationName, const std::vector<Atom*>& objects,
                          const GroundingSwitches& switches) {
    BindingCheck check;
    check.operation = findOperation(operationName);
    if (!check.operation) {
        check.refusal = Refusal::noOperation;
        check.message = "Operation \"" + operationName + "\" doesn't exist\n";
        return check;
    }
    if (objects.size() != check.operation->params.size()) {
        check.refusal = Refusal::wrongCount;
        check.message = "Wrong number of parameters\n";
        return check;
    }
    bindParameters(*check.operation, objects, switches.noDups, check);
    if (check.passed() && !constraintsHold(*check.operation, switches.ignConst)) {
        check.refusal = Refusal::constraintFails;
    }
    return check;
}

bool groundWithoutInterning(const Operation& operation, GroundLiterals& literals, BindingCheck& check) {
    return groundWithoutInterning(operation.add, literals.add, check) &&
           groundWithoutInterning(operation.del, literals.del, check) &&
           groundWithoutInterning(operation.pre, literals.pre, check);
}

std::vector<std::pair<const Operation*, std::vector<Atom*>>> fullBuildBindings(const GroundingSwitches& switches) {
    std::vector<std::pair<const Operation*, std::vector<Atom*>>> bindings;
    // The sets of every binding kept, as sorted lists, for the redundancy filter.
    std::set<std::array<std::vector<GroundFact>, 3>> keptSets;
    for (const auto& [name, operation] : operations) {
        forEachCandidateTuple(*operation, [&](const std::vector<Atom*>& tuple) {
            BindingCheck check = checkBinding(name, tuple, switches);
            GroundLiterals literals;
            if (!check.passed() || !groundWithoutInterning(*operation, literals, check)) return;
            std::array<std::vector<GroundFact>, 3> sets{literals.pre, literals.add, literals.del};
            for (auto& set : sets) {
                std::sort(set.begin(), set.end());
                set.erase(std::unique(set.begin(), set.end()), set.end());
            }
            if (!keptSets.insert(std::move(sets)).second && switches.filterReds) return;
            bindings.emplace_back(operation.get(), tuple);
        });
    }
    return bindings;
}

bool groundState(State& target, const State& source) {
    for (const Fact* fact : source) {
        std::vector<Atom*> args = fact->args;
        for (Atom*& arg : args) {
            if (auto* variable = dynamic_cast<Variable*>(arg)) arg = variable->binding;
        }
        Fact* ground = makeFact(fact->name, args);
        if (!ground) return false;
        target.insert(ground);
    }
    return true;
}

OperationInstance* instantiate(const std::string& operationName, const std::vector<Atom*>& objects) {
    const BindingCheck check = checkBinding(operationName, objects);
    if (!check.passed()) {
        if (!check.message.empty()) messages.append(check.message);
        return nullptr;
    }
    const Operation* operation = check.operation;
    if (OperationInstance* existing = instanceList.findBinding(operationName, objects)) return existing;

    auto instance = std::make_unique<OperationInstance>();
    instance->name = operationName;
    instance->args = objects;
    // add, del, pre: the order in which new facts enter the pool.
    if (!groundState(instance->add, operation->add) || !groundState(instance->del, operation->del) ||
        !groundState(instance->pre, operation->pre)) {
        return nullptr;
    }
    if (filterReds) {
        if (OperationInstance* earlier = instanceList.findSameSets(*instance)) return earlier;
    }
    OperationInstance* added = instance.get();
    instanceList.append(std::move(instance));
    return added;
}

void clearInstances() { instanceList.clear(); }

void buildAllInstances() {
    clearInstances();
    for (const auto& [name, operation] : operations) {
        forEachCandidateTuple(*operation, [&name](const std::vector<Atom*>& tuple) { instantiate(name, tuple); });
    }
}

int countInstances(const Operation& operation) {
    int count = 0;
    for (const auto& instance : instanceList) {
        if (instance->name == operation.name) ++count;
    }
    return count;
}

}  // namespace vexmolda

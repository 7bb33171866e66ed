#include "grounding/Grounding.h"

#include <algorithm>
#include <array>
#include <set>

namespace vexmolda {

void Grounder::bindParameters(const Operation& operation, const std::vector<Atom*>& objects, BindingCheck& check) {
    for (std::size_t i = 0; i < objects.size(); ++i) {
        Atom* object = objects[i];
        Variable* parameter = operation.params[i];
        if (!model.fits(*object, parameter->type)) {
            check.refusal = Refusal::typeMismatch;
            check.object = object;
            check.expected = parameter->type;
            check.message = "Type mismatch, " + object->name + " is type " + object->type->name + ", but " +
                            parameter->type->name + " expected\n";
            return;
        }
        if (options.noDups) {
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

bool Grounder::constraintsHold(const Operation& operation) const {
    if (options.ignConst) return true;
    for (const Constraint* constraint : operation.constraints) {
        if (!constraint->holds()) return false;
    }
    return true;
}

bool Grounder::groundState(State& target, const State& source) {
    for (const Fact* fact : source) {
        std::vector<Atom*> args = fact->args;
        for (Atom*& arg : args) {
            if (auto* variable = dynamic_cast<Variable*>(arg)) arg = variable->binding;
        }
        Fact* ground = model.makeFact(fact->name, args, diagnostics);
        if (!ground) return false;
        target.insert(ground);
    }
    return true;
}

BindingCheck Grounder::checkBinding(const std::string& operationName, const std::vector<Atom*>& objects) {
    BindingCheck check;
    check.operation = model.findOperation(operationName);
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
    bindParameters(*check.operation, objects, check);
    if (check.passed() && !constraintsHold(*check.operation)) check.refusal = Refusal::constraintFails;
    return check;
}

bool Grounder::groundWithoutInterning(const State& source, std::vector<GroundFact>& target,
                                      BindingCheck& check) const {
    for (const Fact* fact : source) {
        GroundFact ground{fact->name, fact->args};
        for (Atom*& arg : ground.args) {
            if (auto* variable = dynamic_cast<Variable*>(arg)) arg = variable->binding;
        }
        const FactCheck factCheck = model.checkFact(ground.name, ground.args);
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

bool Grounder::groundWithoutInterning(const Operation& operation, GroundLiterals& literals,
                                      BindingCheck& check) const {
    return groundWithoutInterning(operation.add, literals.add, check) &&
           groundWithoutInterning(operation.del, literals.del, check) &&
           groundWithoutInterning(operation.pre, literals.pre, check);
}

OperationInstance* Grounder::instantiate(const std::string& operationName, const std::vector<Atom*>& objects) {
    const BindingCheck check = checkBinding(operationName, objects);
    if (!check.passed()) {
        if (!check.message.empty()) diagnostics.append(check.message);
        return nullptr;
    }
    const Operation* operation = check.operation;
    if (OperationInstance* existing = instances.findBinding(operationName, objects)) return existing;

    auto instance = std::make_unique<OperationInstance>();
    instance->name = operationName;
    instance->args = objects;
    // add, del, pre: the order in which new facts enter the pool.
    if (!groundState(instance->add, operation->add) || !groundState(instance->del, operation->del) ||
        !groundState(instance->pre, operation->pre)) {
        return nullptr;
    }
    if (options.filterReds) {
        if (OperationInstance* earlier = instances.findSameSets(*instance)) return earlier;
    }
    OperationInstance* added = instance.get();
    instances.append(std::move(instance));
    return added;
}

template <class Visit>
bool Grounder::forEachCandidateTuple(const Operation& operation, Visit visit) const {
    std::vector<std::vector<Atom*>> candidates;
    for (const Variable* parameter : operation.params) {
        std::vector<Atom*> fitting;
        for (const auto& [atomName, atom] : model.atoms) {
            if (model.fits(*atom, parameter->type)) fitting.push_back(atom.get());
        }
        if (fitting.empty()) return true;
        candidates.push_back(std::move(fitting));
    }
    std::vector<std::size_t> odometer(candidates.size(), 0);
    std::vector<Atom*> tuple(candidates.size());
    while (true) {
        for (std::size_t i = 0; i < candidates.size(); ++i) tuple[i] = candidates[i][odometer[i]];
        if (!visit(tuple)) return false;
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
        if (!advanced) return true;
    }
}

bool Grounder::buildAll(WorkControl* control) {
    instances.clear();
    for (const auto& [name, operation] : model.operations) {
        const bool finished = forEachCandidateTuple(*operation, [&](const std::vector<Atom*>& tuple) {
            if (control) {
                if (control->shouldStop()) return false;
                control->first.fetch_add(1, std::memory_order_relaxed);
            }
            instantiate(name, tuple);
            if (control) control->second.store(instances.size(), std::memory_order_relaxed);
            return true;
        });
        if (!finished) return false;
    }
    return true;
}

std::vector<Binding> Grounder::fullBuildBindings() {
    std::vector<Binding> bindings;
    // The sets of every binding kept, as sorted lists, for the redundancy filter.
    std::set<std::array<std::vector<GroundFact>, 3>> keptSets;
    for (const auto& [name, operation] : model.operations) {
        forEachCandidateTuple(*operation, [&](const std::vector<Atom*>& tuple) {
            BindingCheck check = checkBinding(name, tuple);
            GroundLiterals literals;
            if (!check.passed() || !groundWithoutInterning(*operation, literals, check)) return true;
            std::array<std::vector<GroundFact>, 3> sets{literals.pre, literals.add, literals.del};
            for (auto& set : sets) {
                std::sort(set.begin(), set.end());
                set.erase(std::unique(set.begin(), set.end()), set.end());
            }
            if (!keptSets.insert(std::move(sets)).second && options.filterReds) return true;
            bindings.emplace_back(operation.get(), tuple);
            return true;
        });
    }
    return bindings;
}

int countInstances(const InstanceList& instances, const Operation& operation) {
    int count = 0;
    for (const auto& instance : instances) {
        if (instance->name == operation.name) ++count;
    }
    return count;
}

}  // namespace vexmolda

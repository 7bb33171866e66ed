#include "grounding/Grounding.h"

namespace vexmolda {

bool Grounder::bindParameters(const Operation& operation, const std::vector<Atom*>& objects) {
    for (std::size_t i = 0; i < objects.size(); ++i) {
        Atom* object = objects[i];
        Variable* parameter = operation.params[i];
        if (!model.fits(*object, parameter->type)) {
            diagnostics.append("Type mismatch, " + object->name + " is type " + object->type->name + ", but " +
                               parameter->type->name + " expected\n");
            return false;
        }
        if (options.noDups) {
            for (std::size_t j = i + 1; j < objects.size(); ++j) {
                if (objects[j] == object) return false;
            }
        }
        parameter->binding = object;
    }
    return true;
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

OperationInstance* Grounder::instantiate(const std::string& operationName, const std::vector<Atom*>& objects) {
    const Operation* operation = model.findOperation(operationName);
    if (!operation) {
        diagnostics.append("Operation \"" + operationName + "\" doesn't exist\n");
        return nullptr;
    }
    if (objects.size() != operation->params.size()) {
        diagnostics.append("Wrong number of parameters\n");
        return nullptr;
    }
    if (!bindParameters(*operation, objects)) return nullptr;
    if (!constraintsHold(*operation)) return nullptr;
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

bool Grounder::buildAll(WorkControl* control) {
    instances.clear();
    for (const auto& [name, operation] : model.operations) {
        std::vector<std::vector<Atom*>> candidates;
        bool everyParameterHasOne = true;
        for (const Variable* parameter : operation->params) {
            std::vector<Atom*> fitting;
            for (const auto& [atomName, atom] : model.atoms) {
                if (model.fits(*atom, parameter->type)) fitting.push_back(atom.get());
            }
            if (fitting.empty()) everyParameterHasOne = false;
            candidates.push_back(std::move(fitting));
        }
        if (!everyParameterHasOne) continue;

        std::vector<std::size_t> odometer(candidates.size(), 0);
        std::vector<Atom*> tuple(candidates.size());
        while (true) {
            if (control) {
                if (control->shouldStop()) return false;
                control->first.fetch_add(1, std::memory_order_relaxed);
            }
            for (std::size_t i = 0; i < candidates.size(); ++i) tuple[i] = candidates[i][odometer[i]];
            instantiate(name, tuple);
            if (control) control->second.store(instances.size(), std::memory_order_relaxed);
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
            if (!advanced) break;
        }
    }
    return true;
}

int countInstances(const InstanceList& instances, const Operation& operation) {
    int count = 0;
    for (const auto& instance : instances) {
        if (instance->name == operation.name) ++count;
    }
    return count;
}

}  // namespace vexmolda

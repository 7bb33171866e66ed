#include "grounding/Grounding.h"

#include "command/Switches.h"
#include "command/TextBuffer.h"
#include "domain/Type.h"

namespace vexmolda {

namespace {

// Binds every parameter after the type and duplicate checks; false to refuse.
bool bindParameters(const Operation& operation, const std::vector<Atom*>& objects) {
    for (std::size_t i = 0; i < objects.size(); ++i) {
        Atom* object = objects[i];
        Variable* parameter = operation.params[i];
        if (!fits(*object, parameter->type)) {
            messages.append("Type mismatch, " + object->name + " is type " + object->type->name +
                            ", but " + parameter->type->name + " expected\n");
            return false;
        }
        if (noDups) {
            for (std::size_t j = i + 1; j < objects.size(); ++j) {
                if (objects[j] == object) return false;
            }
        }
        parameter->binding = object;
    }
    return true;
}

bool constraintsHold(const Operation& operation) {
    if (ignConst) return true;
    for (const Constraint* constraint : operation.constraints) {
        if (!constraint->holds()) return false;
    }
    return true;
}

}  // namespace

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
    const Operation* operation = findOperation(operationName);
    if (!operation) {
        messages.append("Operation \"" + operationName + "\" doesn't exist\n");
        return nullptr;
    }
    if (objects.size() != operation->params.size()) {
        messages.append("Wrong number of parameters\n");
        return nullptr;
    }
    if (!bindParameters(*operation, objects)) return nullptr;
    if (!constraintsHold(*operation)) return nullptr;
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
        std::vector<std::vector<Atom*>> candidates;
        bool everyParameterHasOne = true;
        for (const Variable* parameter : operation->params) {
            std::vector<Atom*> fitting;
            for (const auto& [atomName, atom] : Atom::registry()) {
                if (fits(*atom, parameter->type)) fitting.push_back(atom.get());
            }
            if (fitting.empty()) everyParameterHasOne = false;
            candidates.push_back(std::move(fitting));
        }
        if (!everyParameterHasOne) continue;

        std::vector<std::size_t> odometer(candidates.size(), 0);
        std::vector<Atom*> tuple(candidates.size());
        while (true) {
            for (std::size_t i = 0; i < candidates.size(); ++i) tuple[i] = candidates[i][odometer[i]];
            instantiate(name, tuple);
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
}

int countInstances(const Operation& operation) {
    int count = 0;
    for (const auto& instance : instanceList) {
        if (instance->name == operation.name) ++count;
    }
    return count;
}

}  // namespace vexmolda

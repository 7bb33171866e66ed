#include "pddl/StepOrigins.h"

#include "domain/Atom.h"
#include "pddl/SExpression.h"

namespace vexmolda {

namespace {

std::string spelled(const std::map<std::string, std::string>* spelling, const std::string& name) {
    if (!spelling) return name;
    auto position = spelling->find(name);
    return position == spelling->end() ? name : position->second;
}

const StepOrigin* originOf(const PddlNames* names, const std::string& operation) {
    if (!names) return nullptr;
    auto found = names->origins.find(operation);
    return found == names->origins.end() ? nullptr : &found->second;
}

}  // namespace

std::string pddlStepsText(const std::vector<const OperationInstance*>& steps, const PddlNames* names) {
    std::string text;
    long long cost = 0;
    std::size_t written = 0;
    for (const OperationInstance* step : steps) {
        const StepOrigin* origin = originOf(names, step->name());
        if (origin && origin->hidden) continue;
        ++written;
        cost += origin ? origin->cost : 1;
        text += "(" + (origin ? origin->action : spelled(names ? &names->actionSpelling : nullptr, step->name()));
        if (origin && !origin->instanceArguments) {
            for (const std::string& argument : origin->arguments) text += " " + argument;
        } else {
            for (const Atom* argument : step->args()) {
                text += " " + spelled(names ? &names->objectSpelling : nullptr, argument->name);
            }
        }
        text += ")\n";
    }
    if (names && names->actionCosts) return text + "; cost = " + std::to_string(cost) + "\n";
    return text + "; cost = " + std::to_string(written) + " (unit cost)\n";
}

std::vector<TranslatedStep> translatedSteps(const PddlNames& names, const std::string& action,
                                            const std::vector<std::string>& arguments) {
    std::vector<std::string> wanted;
    for (const std::string& argument : arguments) wanted.push_back(lowerCase(argument));
    // Command names of the objects, by their PDDL name.
    std::map<std::string, std::string> objectByPddl;
    for (const auto& [command, spelling] : names.objectSpelling) objectByPddl[lowerCase(spelling)] = command;
    std::vector<TranslatedStep> steps;
    auto commandArguments = [&](TranslatedStep& step) {
        for (const std::string& argument : wanted) {
            auto found = objectByPddl.find(argument);
            if (found == objectByPddl.end()) return false;
            step.arguments.push_back(found->second);
        }
        return true;
    };
    for (const auto& [operation, origin] : names.origins) {
        if (origin.hidden || lowerCase(origin.action) != lowerCase(action)) continue;
        TranslatedStep step{operation, {}};
        if (origin.instanceArguments) {
            if (commandArguments(step)) steps.push_back(step);
            continue;
        }
        std::vector<std::string> own;
        for (const std::string& argument : origin.arguments) own.push_back(lowerCase(argument));
        if (own == wanted) steps.push_back(step);
    }
    if (names.origins.empty()) {
        for (const auto& [operation, spelling] : names.actionSpelling) {
            if (lowerCase(spelling) != lowerCase(action)) continue;
            TranslatedStep step{operation, {}};
            if (commandArguments(step)) steps.push_back(step);
        }
    }
    return steps;
}

}  // namespace vexmolda

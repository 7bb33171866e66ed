#include "pddl/CompetitionStepNames.h"

#include "pddl/SExpression.h"
#include "pddl/StepOrigins.h"

namespace vexmolda {

namespace {

// Command names whose spelling reads as the given name.
std::vector<std::string> spelledAs(const std::map<std::string, std::string>& spelling, const std::string& name) {
    std::vector<std::string> found;
    const std::string wanted = lowerCase(name);
    for (const auto& [command, spelled] : spelling) {
        if (lowerCase(spelled) == wanted) found.push_back(command);
    }
    return found;
}

}  // namespace

std::vector<StepNames> commandNamesOfStep(const PddlNames& names, const PlanStep& step) {
    if (!step.competitionForm) return namesAsWritten(step);
    std::vector<StepNames> candidates;
    for (TranslatedStep& translated : translatedSteps(names, step.operation, step.objects)) {
        candidates.push_back({std::move(translated.operation), std::move(translated.arguments)});
    }
    if (!candidates.empty()) return candidates;
    // No operation fits: the closest names, so that the reason names what is wrong.
    std::vector<std::string> objects;
    for (const std::string& object : step.objects) {
        const std::vector<std::string> found = spelledAs(names.objectSpelling, object);
        objects.push_back(found.empty() ? object : found.front());
    }
    std::vector<std::string> operations;
    for (const auto& [operation, origin] : names.origins) {
        if (!origin.hidden && origin.instanceArguments && lowerCase(origin.action) == lowerCase(step.operation)) {
            operations.push_back(operation);
        }
    }
    if (operations.empty()) operations = spelledAs(names.actionSpelling, step.operation);
    if (operations.empty()) operations.push_back(step.operation);
    for (const std::string& operation : operations) candidates.push_back({operation, objects});
    return candidates;
}

}  // namespace vexmolda

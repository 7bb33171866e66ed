#include "pddl/CompetitionStepNames.h"

#include "pddl/PddlLoader.h"
#include "pddl/SExpression.h"

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
    std::vector<std::string> objects;
    for (const std::string& object : step.objects) {
        const std::vector<std::string> found = spelledAs(names.objectSpelling, object);
        objects.push_back(found.empty() ? object : found.front());
    }
    std::vector<std::string> operations = spelledAs(names.actionSpelling, step.operation);
    if (operations.empty()) operations.push_back(step.operation);
    std::vector<StepNames> candidates;
    for (const std::string& operation : operations) candidates.push_back({operation, objects});
    return candidates;
}

StepNameMapping currentStepNameMapping() {
    const PddlNames* names = currentPddlNames();
    if (!names) return namesAsWritten;
    // A copy: the names stay valid however long the mapping is kept.
    return [copy = *names](const PlanStep& step) { return commandNamesOfStep(copy, step); };
}

}  // namespace vexmolda

#include "pddl/PlanWriter.h"

#include <cstdio>

#include "command/Session.h"
#include "pddl/PddlLoader.h"
#include "pddl/StepOrigins.h"

namespace vexmolda {

namespace {

std::vector<const OperationInstance*> planSteps(const Plan& plan) {
    std::vector<const OperationInstance*> steps;
    // A layered plan keeps its steps in layers; the instances of one layer
    // do not interfere, so any order within a layer is a valid sequence.
    if (const auto* layered = dynamic_cast<const ParPlan*>(&plan)) {
        for (const auto& layer : layered->layers) steps.insert(steps.end(), layer.begin(), layer.end());
    } else {
        steps.assign(plan.steps.begin(), plan.steps.end());
    }
    return steps;
}

}  // namespace

std::string competitionPlanText(const Plan& plan, const PddlNames* names) {
    return pddlStepsText(planSteps(plan), names);
}

SolveOutcome outcomeOfSolve(const Session& session, bool found) {
    if (!found) return {};
    const Plan noSteps;
    const Plan& plan = session.currentPlan ? *session.currentPlan : noSteps;
    return {true, competitionPlanText(plan, currentPddlNames(session))};
}

bool writeSolveOutcome(Session& session, const std::string& path, const SolveOutcome& outcome) {
    TextBuffer& messages = session.messages;
    if (!outcome.found) {
        messages.append("No plan written to \"" + path + "\": solution not found\n");
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const std::string& text = outcome.planText;
    bool written = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file && std::fclose(file) != 0) written = false;
    if (!written) {
        messages.append("File \"" + path + "\" cannot be written\n");
        return false;
    }
    return true;
}

}  // namespace vexmolda

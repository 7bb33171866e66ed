#include "pddl/PlanWriter.h"

#include <cstdio>

#include "command/TextBuffer.h"
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

bool writeCurrentPlan(const std::string& path) {
    if (!currentPlan) {
        messages.append("No plan to write to \"" + path + "\"\n");
        return false;
    }
    const std::string text = competitionPlanText(*currentPlan, currentPddlNames());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file && std::fclose(file) != 0) written = false;
    if (!written) {
        messages.append("File \"" + path + "\" cannot be written\n");
        return false;
    }
    return true;
}

}  // namespace vexmolda

#pragma once
// Replaying a plan file against the loaded domain, step by step, with reasons.

#include <functional>
#include <string>
#include <vector>

#include "domain/State.h"

namespace vexmolda {

// A step of a plan file: its text as written and the names it holds.
struct PlanStep {
    std::string text;
    std::string operation;
    std::vector<std::string> objects;
    bool competitionForm = false;  // written "(op a b)"
};

// Layers of steps in file order; a line with one step is a layer of one.
using PlanLayers = std::vector<std::vector<PlanStep>>;

// The steps of a plan text: "op(a,b)" or "(op a b)" per line, "N: step, step"
// for a layer; blank lines and lines starting with ";" or "#" are skipped.
PlanLayers parsePlanText(const std::string& text);

// The operation and object names a step may stand for, most likely first.
struct StepNames {
    std::string operation;
    std::vector<std::string> objects;
};
using StepNameMapping = std::function<std::vector<StepNames>(const PlanStep&)>;
// The step's own names, unchanged.
std::vector<StepNames> namesAsWritten(const PlanStep& step);

// The one line (with its line end) that validating the plan from init gives.
// Each step is checked as "instance" checks it; nothing of the model changes.
std::string validatePlan(const PlanLayers& plan, const State& init, const State& goal, const StepNameMapping& mapping);

// Reads the file (the name as given) and validates it against initState and goalState.
std::string validatePlanFile(const std::string& path, const StepNameMapping& mapping);

}  // namespace vexmolda

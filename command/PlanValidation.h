#pragma once
// Replaying a plan file against the loaded domain, step by step, with reasons.

#include <functional>
#include <string>
#include <vector>

#include "domain/State.h"

namespace vexmolda {

class Session;

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

// How the task loaded now reads a plan file.
struct PlanReading {
    StepNameMapping mapping;  // empty: the names as written
    // Operations without parameters that a written plan leaves out (the goal
    // operations of a disjunctive goal): after the last step, each that applies is applied.
    std::vector<std::string> leftOutOperations;
};

// The one line (with its line end) that validating the plan from the
// session's init against its goal gives. Each step is checked as "instance"
// checks it under the session's switches; no instance, fact or plan is made.
std::string validatePlan(Session& session, const PlanLayers& plan, const PlanReading& reading);

// The reading of the task loaded now: the attachment's, else the names as written.
PlanReading currentPlanReading(const Session& session);

// Reads the file (the name as given) and validates it with the current reading.
std::string validatePlanFile(Session& session, const std::string& path);

}  // namespace vexmolda

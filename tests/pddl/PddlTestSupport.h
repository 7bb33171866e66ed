#pragma once
// Helpers for the PDDL tests: data paths, reading tasks and an independent plan checker.

#include <string>

#include "pddl/PddlModel.h"

namespace vexmolda::testing {

// Path of a file under tests/data/pddl.
std::string pddlData(const std::string& relative);

// Reads a domain and a problem file into the model; fails the test on a refusal.
PddlTask readTask(const std::string& domainPath, const std::string& problemPath);

// Replays a plan in the competitions' format ("(action arg ...)" lines, ";"
// comments) on the PDDL task itself, by PDDL's rules: types of arguments,
// the precondition with its quantifiers, connectives and equalities, effects
// with forall and when (conditions read in the state before the step),
// deletes then adds, the goal at the end. Empty when the plan is valid, else
// the first reason it is not; with cost, also the sum of the action costs.
std::string checkPlan(const PddlTask& task, const std::string& planText, long long* cost = nullptr);

// A domain and a problem written to temporary files.
struct TaskFiles {
    std::string domain;
    std::string problem;
};
TaskFiles writeTask(const std::string& domainText, const std::string& problemText);

// Reads a whole file; empty when it does not exist.
std::string fileText(const std::string& path);

}  // namespace vexmolda::testing

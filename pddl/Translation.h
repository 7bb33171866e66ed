#pragma once
// The translation of a read PDDL task into lines of the command language.

#include <string>
#include <vector>

#include "pddl/NameMapping.h"
#include "pddl/PddlDiagnostics.h"
#include "pddl/PddlModel.h"

namespace vexmolda {

// The command lines of a task, in the order they must run.
struct PddlTranslation {
    std::vector<std::string> domainLines;   // types, atoms, predicates, operations, constraints
    std::vector<std::string> problemLines;  // init and goal
    bool distinctObjects = false;           // the value noDups must have
    PddlNames names;
    std::string domainName;
    std::string problemName;
};

// Translates a task: one operation per action when the schemas express it,
// else every action bound to objects (GroundTask.h). False after a refusal
// (an operation past the variant limit, a task too large to bind).
bool translatePddl(const PddlTask& task, PddlTranslation& translation, PddlDiagnostics& diagnostics);

// The lines to execute now: declarations, a "noDups" toggle when the switch
// differs from what the task needs, the problem, and "buildInst".
std::vector<std::string> linesToRun(const PddlTranslation& translation, bool noDupsNow);

}  // namespace vexmolda

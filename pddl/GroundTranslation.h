#pragma once
// The translation of a PDDL task bound to objects: operations without
// parameters, written from the grounded task (GroundTask.h).

#include "pddl/Translation.h"

namespace vexmolda {

// Binds the task and writes its lines, noting what was compiled; false
// after a refusal, with tooLarge set when the task was refused for its size alone.
bool translateGroundTask(const PddlTask& task, PddlTranslation& translation, PddlDiagnostics& diagnostics,
                         bool& tooLarge);

}  // namespace vexmolda

#pragma once
// The translation of a PDDL task into one operation per action, its
// parameters kept: the plain form that "buildInst" grounds.

#include "pddl/Translation.h"

namespace vexmolda {

// Writes the task's lines one operation per action; false, with nothing
// said, when the schemas cannot express it (equalities that only binding
// decides, distinct objects demanded of some actions only).
bool translateSchemaTask(const PddlTask& task, PddlTranslation& translation);

}  // namespace vexmolda

#pragma once
// Loading a PDDL domain and problem: read, check, translate, then run as typed lines.

#include <string>

#include "pddl/NameMapping.h"
#include "pddl/Translation.h"

namespace vexmolda {

// Reads and translates both files without touching the model; false after
// putting the refusal in messages.
bool translatePddlFiles(const std::string& domainPath, const std::string& problemPath,
                        PddlTranslation& translation);

// Translates both files; only when everything passed, wipes and executes the
// translation line by line (so a refusal leaves the current domain as it
// was). With a .pln path, also saves the translation there. False when
// anything asked for failed; every problem is a line in messages.
bool loadPddl(const std::string& domainPath, const std::string& problemPath, const std::string& plnPath = "");

// The names of the last PDDL load while its domain is still the one loaded; null otherwise.
const PddlNames* currentPddlNames();

}  // namespace vexmolda

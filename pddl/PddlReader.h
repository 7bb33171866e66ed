#pragma once
// Reading PDDL domains and problems of the classical planning tracks into the model.

#include <string>

#include "pddl/PddlDiagnostics.h"
#include "pddl/PddlModel.h"

namespace vexmolda {

// Reads a domain file's text; false after a refusal naming the construct and its line.
bool readPddlDomain(const std::string& text, const std::string& file, PddlDomain& domain,
                    PddlDiagnostics& diagnostics);

// Reads a problem file's text against its domain; false after a refusal.
bool readPddlProblem(const std::string& text, const std::string& file, const PddlDomain& domain,
                     PddlProblem& problem, PddlDiagnostics& diagnostics);

}  // namespace vexmolda

#pragma once
// Plan steps of the translated task written back as the PDDL's own steps, and back again.

#include <string>
#include <vector>

#include "grounding/OperationInstance.h"
#include "pddl/NameMapping.h"

namespace vexmolda {

// One "(action arg ...)" line per step in the PDDL's spelling where names are
// given (goal operations left out), then the cost line: "; cost = C" with
// the task's action costs, "; cost = N (unit cost)" without them.
std::string pddlStepsText(const std::vector<const OperationInstance*>& steps, const PddlNames* names);

// A translated operation that a PDDL step may stand for.
struct TranslatedStep {
    std::string operation;               // command name
    std::vector<std::string> arguments;  // command names of the instance's objects
};

// Every operation a written step "(action arg ...)" may be (the variants of
// a split action, the bindings of its exists variables); the one whose
// preconditions hold in a state is the step taken. Names compare as PDDL
// does, without case.
std::vector<TranslatedStep> translatedSteps(const PddlNames& names, const std::string& action,
                                            const std::vector<std::string>& arguments);

}  // namespace vexmolda

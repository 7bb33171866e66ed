#include "command/Wipe.h"

#include "command/TextBuffer.h"
#include "domain/Atom.h"
#include "domain/Fact.h"
#include "domain/Operation.h"
#include "domain/State.h"
#include "domain/Type.h"
#include "grounding/Grounding.h"
#include "solvers/Plan.h"
#include "solvers/Solver.h"

namespace vexmolda {

void wipe() {
    clearTypes();
    clearAtoms();
    // States and instances refer to facts: empty them before the facts go.
    initState.clear();
    goalState.clear();
    clearInstances();
    clearOperations();
    clearPredicatesAndFacts();
    if (currentPlan) currentPlan->clear();
    currentPlan = nullptr;
    log.clear();
    for (const auto& [name, solver] : solverRegistry()) solver->reset();
}

}  // namespace vexmolda

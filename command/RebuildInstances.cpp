#include "command/RebuildInstances.h"

#include "grounding/Grounding.h"
#include "solvers/Plan.h"
#include "solvers/Solver.h"

namespace vexmolda {

void rebuildInstances() {
    // A plan refers to instances; it is cleared but stays current.
    if (currentPlan) currentPlan->clear();
    for (const auto& [name, solver] : solverRegistry()) solver->forgetInstances();
    buildAllInstances();
}

}  // namespace vexmolda

#include "solvers/InselRand.h"

#include <vector>

#include "solvers/IslandCommon.h"
#include "solvers/StateOperations.h"

namespace vexmolda {

bool inselRand::solve(const SolveTask& runTask, SolveResult& runResult, SolveContext& runContext) {
    beginRun(runTask, runResult, runContext);
    State working = task->initial;
    return achieveRand(working, task->goal, 0);
}

bool inselRand::achieveRand(State& state, FactSpan goals, int depth) {
    // Recursion stays within deepestLevel + 1 frames, far from any stack limit.
    if (depth > deepestLevel) return false;
    std::vector<OperationInstance*> candidates;
    while (!goalsHold(state, goals)) {
        logTryingToAchieve(goals);
        buildCandidates(state, goals, candidates);
        if (candidates.empty()) return false;
        // One draw per choice, even with a single candidate.
        const std::size_t drawn = static_cast<std::size_t>(context->random.next());
        OperationInstance* picked = candidates[drawn % candidates.size()];
        if (pickAndCheckStop(static_cast<std::uint64_t>(depth))) return false;
        logPicked(*picked);
        if (!achieveRand(state, picked->pre(), depth + 1)) return false;
        applyInstance(state, *picked);
        plan.steps.push_back(picked);
        countStep();
        logNewState(state);
        // A repeated state proves no loop here, as the next draws differ; the
        // step bound ends a run that keeps undoing its own work.
        if (plan.steps.size() > islandStepBound) return false;
    }
    showPlan();
    return true;
}

}  // namespace vexmolda

#include "solvers/InselRand.h"

#include <vector>

#include "solvers/IslandCommon.h"
#include "solvers/IslandRandom.h"
#include "solvers/StateOperations.h"

namespace vexmolda {

namespace {

inselRand theInselRand;

}  // namespace

inselRand::inselRand() : Solver("inselrand") {}

inselRand& inselRandSolver() { return theInselRand; }

bool inselRand::solve(const State& initial, const State& goal, std::int32_t) {
    plan.steps.clear();
    State working = initial;
    return achieveRand(working, goal, 0);
}

void inselRand::forgetInstances() { plan.steps.clear(); }

bool inselRand::achieveRand(State& state, const State& goals, int depth) {
    // Recursion stays within deepestLevel + 1 frames, far from any stack limit.
    if (depth > deepestLevel) return false;
    std::vector<OperationInstance*> candidates;
    while (!goalsHold(state, goals)) {
        logTryingToAchieve(goals);
        buildCandidates(state, goals, candidates);
        if (candidates.empty()) return false;
        // One draw per choice, even with a single candidate.
        const std::size_t drawn = static_cast<std::size_t>(islandRandom().next());
        OperationInstance* picked = candidates[drawn % candidates.size()];
        logPicked(*picked);
        if (!achieveRand(state, picked->pre, depth + 1)) return false;
        applyInstance(state, *picked);
        plan.steps.push_back(picked);
        logNewState(state);
        // A repeated state proves no loop here, as the next draws differ; the
        // step bound ends a run that keeps undoing its own work.
        if (plan.steps.size() > islandStepBound) return false;
    }
    currentPlan = &plan;
    return true;
}

}  // namespace vexmolda

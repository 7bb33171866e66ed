#include "solvers/InselOL.h"

#include "solvers/IslandCommon.h"
#include "solvers/StateOperations.h"

namespace vexmolda {

bool inselOL::solve(const SolveTask& runTask, SolveResult& runResult, SolveContext& runContext) {
    beginRun(runTask, runResult, runContext);
    usage.clear();
    for (const auto& instance : task->instances) usage.push_back({instance, 0});
    abandoned = false;
    picks = 0;
    State working = task->initial;
    return achieveOL(working, task->goal, task->limit, 0);
}

bool inselOL::achieveOL(State& state, FactSpan goals, std::int32_t limit, int depth) {
    // Recursion stays within deepestLevel + 1 frames, far from any stack limit.
    std::vector<OperationInstance*> candidates;
    while (!goalsHold(state, goals)) {
        logTryingToAchieve(goals);
        buildCandidates(state, goals, candidates);
        OperationInstance* chosen = nullptr;
        for (OperationInstance* candidate : candidates) {
            UsageEntry& entry = usage[static_cast<std::size_t>(candidate->id)];
            // A skipped entry keeps its raise: once over the limit it stays there.
            if (entry.uses++ > limit) continue;
            if (++picks > islandPickBound || pickAndCheckStop(static_cast<std::uint64_t>(depth))) {
                abandoned = true;
                return false;
            }
            logPicked(*candidate);
            if (depth + 1 <= deepestLevel && achieveOL(state, candidate->pre(), limit, depth + 1)) {
                chosen = candidate;
                break;
            }
            if (abandoned) return false;
            --entry.uses;
        }
        if (!chosen) return false;
        applyInstance(state, *chosen);
        plan.steps.push_back(chosen);
        countStep();
        logNewState(state);
        if (plan.steps.size() > islandStepBound) {
            abandoned = true;
            return false;
        }
    }
    showPlan();
    return true;
}

}  // namespace vexmolda

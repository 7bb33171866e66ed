#include "solvers/Insel.h"

#include <unordered_set>
#include <vector>

#include "solvers/IslandCommon.h"
#include "solvers/StateOperations.h"

namespace vexmolda {

namespace {

// The working states a level has had at the head of its loop, as fact-id lists.
class SeenStates {
public:
    // Records the state; false when it was recorded before.
    bool insert(const State& state) {
        std::vector<std::int32_t> ids;
        ids.reserve(state.size());
        for (const Fact* fact : state) ids.push_back(fact->id);
        return seen.insert(std::move(ids)).second;
    }

private:
    struct IdsHash {
        std::size_t operator()(const std::vector<std::int32_t>& ids) const {
            std::uint64_t hash = 1469598103934665603ull;
            for (std::int32_t id : ids) hash = (hash ^ static_cast<std::uint32_t>(id)) * 1099511628211ull;
            return static_cast<std::size_t>(hash);
        }
    };
    std::unordered_set<std::vector<std::int32_t>, IdsHash> seen;
};

}  // namespace

bool insel::solve(const SolveTask& runTask, SolveResult& runResult, SolveContext& runContext) {
    beginRun(runTask, runResult, runContext);
    State working = task->initial;
    return achieve(working, task->goal, 0);
}

bool insel::achieve(State& state, FactSpan goals, int depth) {
    // Recursion stays within deepestLevel + 1 frames, far from any stack limit.
    if (depth > deepestLevel) return false;
    SeenStates seen;
    while (!goalsHold(state, goals)) {
        // The pick and everything below it depend only on the state and the
        // goals, so a state this level had before means it would loop for ever.
        if (!seen.insert(state)) return false;
        logTryingToAchieve(goals);
        OperationInstance* picked = pickInstance(task->instances, state, goals);
        if (!picked) return false;
        if (pickAndCheckStop(static_cast<std::uint64_t>(depth))) return false;
        logPicked(*picked);
        if (!achieve(state, picked->pre(), depth + 1)) return false;
        applyInstance(state, *picked);
        plan.steps.push_back(picked);
        countStep();
        logNewState(state);
    }
    // Every level that succeeds makes the plan current, so a run that fails
    // later still shows how far it got.
    showPlan();
    return true;
}

OperationInstance* insel::pickInstance(const InstanceList& instances, const State& state, FactSpan goals) {
    for (const auto& instance : instances) {
        for (const Fact* fact : instance->add()) {
            if (goals.contains(fact) && !state.contains(fact)) return instance;
        }
    }
    return nullptr;
}

}  // namespace vexmolda

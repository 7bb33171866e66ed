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

insel theInsel;

}  // namespace

insel::insel() : Solver("insel") {}

insel& inselSolver() { return theInsel; }

bool insel::solve(const State& initial, const State& goal, std::int32_t) {
    plan.steps.clear();
    State working = initial;
    return achieve(working, goal, 0);
}

void insel::forgetInstances() { plan.steps.clear(); }

bool insel::achieve(State& state, const State& goals, int depth) {
    // Recursion stays within deepestLevel + 1 frames, far from any stack limit.
    if (depth > deepestLevel) return false;
    SeenStates seen;
    while (!goalsHold(state, goals)) {
        // The pick and everything below it depend only on the state and the
        // goals, so a state this level had before means it would loop for ever.
        if (!seen.insert(state)) return false;
        logTryingToAchieve(goals);
        OperationInstance* picked = pickInstance(state, goals);
        if (!picked) return false;
        logPicked(*picked);
        if (!achieve(state, picked->pre, depth + 1)) return false;
        applyInstance(state, *picked);
        plan.steps.push_back(picked);
        logNewState(state);
    }
    // Every level that succeeds makes the plan current, so a run that fails
    // later still shows how far it got.
    currentPlan = &plan;
    return true;
}

OperationInstance* insel::pickInstance(const State& state, const State& goals) {
    for (const auto& instance : instanceList) {
        for (const Fact* fact : instance->add) {
            if (goals.contains(fact) && !state.contains(fact)) return instance.get();
        }
    }
    return nullptr;
}

}  // namespace vexmolda

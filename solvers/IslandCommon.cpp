#include "solvers/IslandCommon.h"

#include <algorithm>

#include "grounding/InstanceText.h"

namespace vexmolda {

const CounterLabels& IslandStatistics::progressLabels() const {
    static constexpr CounterLabels labels{{{"depth", true}, {"steps"}, {"picks"}}};
    return labels;
}

void IslandSolver::beginRun(const SolveTask& runTask, SolveResult& runResult, SolveContext& runContext) {
    task = &runTask;
    result = &runResult;
    context = &runContext;
    plan.steps.clear();
}

bool IslandSolver::pickAndCheckStop(std::uint64_t depth) {
    ++counts.picks;
    counts.depth = std::max(counts.depth, depth);
    context->control.first.store(depth, std::memory_order_relaxed);
    context->control.third.store(counts.picks, std::memory_order_relaxed);
    return context->control.shouldStop();
}

void IslandSolver::countStep() {
    counts.steps = plan.steps.size();
    context->control.second.store(plan.steps.size(), std::memory_order_relaxed);
}

// The texts are only built when the log keeps them.
void IslandSolver::logTryingToAchieve(FactSpan goals) {
    if (result->log.enabled) result->log.append("\nTrying to achieve: " + stateText(goals));
}

void IslandSolver::logPicked(const OperationInstance& instance) {
    if (result->log.enabled) result->log.append("Picked: " + signatureText(instance));
}

void IslandSolver::logNewState(const State& state) {
    if (result->log.enabled) result->log.append("New State: " + stateText(state));
}

void IslandSolver::buildCandidates(const State& state, FactSpan goals,
                                   std::vector<OperationInstance*>& candidates) const {
    candidates.clear();
    for (const auto& instance : task->instances) {
        for (const Fact* fact : instance->add()) {
            if (goals.contains(fact) && !state.contains(fact)) candidates.push_back(instance);
        }
    }
}

}  // namespace vexmolda

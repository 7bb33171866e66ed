#include "solvers/StateReachability.h"

#include <algorithm>
#include <vector>

#include "grounding/OperationInstance.h"
#include "solvers/StateStore.h"
#include "solvers/SuccessorGenerator.h"

namespace vexmolda {

namespace {

bool holdsAll(const std::vector<std::int32_t>& state, const std::vector<std::int32_t>& goal) {
    return std::includes(state.begin(), state.end(), goal.begin(), goal.end());
}

}  // namespace

GoalReachability goalReachability(const State& initial, const State& goal, const InstanceList& instances,
                                  std::size_t factCount, WorkControl* control) {
    std::vector<std::int32_t> goalIds;
    for (const Fact* fact : goal) goalIds.push_back(fact->id);
    std::sort(goalIds.begin(), goalIds.end());
    std::vector<std::int32_t> current;
    for (const Fact* fact : initial) current.push_back(fact->id);
    std::sort(current.begin(), current.end());
    if (holdsAll(current, goalIds)) return GoalReachability::reachable;

    SuccessorGenerator generator;
    generator.build(instances, initial, factCount);
    StateStore seen;
    seen.insert(current);
    std::vector<std::uint64_t> inState((factCount + 63) / 64, 0);
    std::vector<std::int32_t> applicable;
    std::vector<std::int32_t> successor;

    // Breadth first over stored state numbers: the store is the queue.
    for (std::int32_t next = 0; static_cast<std::size_t>(next) < seen.size(); ++next) {
        if (control && control->shouldStop()) return GoalReachability::stopped;
        const auto facts = seen.facts(next);
        current.assign(facts.begin(), facts.end());
        for (std::int32_t fact : current) inState[fact >> 6] |= std::uint64_t{1} << (fact & 63);
        generator.applicable(current, inState, applicable);
        for (std::int32_t instance : applicable) {
            const GroundAction& action = generator.action(instance);
            successor.clear();
            for (std::int32_t fact : current) {
                if (std::find(action.del.begin(), action.del.end(), fact) == action.del.end()) successor.push_back(fact);
            }
            for (std::int32_t fact : action.add) {
                if (!hasBit(inState, fact) || std::find(action.del.begin(), action.del.end(), fact) != action.del.end()) {
                    successor.push_back(fact);
                }
            }
            std::sort(successor.begin(), successor.end());
            successor.erase(std::unique(successor.begin(), successor.end()), successor.end());
            if (holdsAll(successor, goalIds)) return GoalReachability::reachable;
            if (control && control->memoryLimitBytes > 0 &&
                control->wouldPassMemoryLimit(seen.bytesUsed(), seen.growthBytes(successor.size()))) {
                return GoalReachability::stopped;
            }
            seen.insert(successor);
        }
        for (std::int32_t fact : current) inState[fact >> 6] = 0;
    }
    return GoalReachability::unreachable;
}

}  // namespace vexmolda

#include "solvers/DeadInstances.h"

namespace vexmolda {

std::vector<bool> liveInstances(const InstanceList& instances, const State& initial, std::size_t factCount) {
    return liveInstances(InstanceFacts(instances), initial, factCount);
}

std::vector<bool> liveInstances(const InstanceFacts& instances, const State& initial, std::size_t factCount) {
    std::vector<bool> canHold(factCount, false);
    for (const Fact* fact : initial) canHold[fact->id] = true;
    for (std::size_t id = 0; id < instances.size(); ++id) {
        for (std::int32_t fact : instances.add(id)) canHold[fact] = true;
    }
    std::vector<bool> live(instances.size(), true);
    for (std::size_t id = 0; id < instances.size(); ++id) {
        for (std::int32_t fact : instances.pre(id)) {
            if (!canHold[fact]) {
                live[id] = false;
                break;
            }
        }
    }
    return live;
}

}  // namespace vexmolda

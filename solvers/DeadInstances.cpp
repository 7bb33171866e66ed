#include "solvers/DeadInstances.h"

namespace vexmolda {

std::vector<bool> liveInstances(const InstanceList& instances, const State& initial, std::size_t factCount) {
    std::vector<bool> canHold(factCount, false);
    for (const Fact* fact : initial) canHold[fact->id] = true;
    for (const auto& instance : instances) {
        for (const Fact* fact : instance->add) canHold[fact->id] = true;
    }
    std::vector<bool> live(instances.size(), true);
    for (std::size_t id = 0; id < instances.size(); ++id) {
        for (const Fact* fact : instances[id]->pre) {
            if (!canHold[fact->id]) {
                live[id] = false;
                break;
            }
        }
    }
    return live;
}

}  // namespace vexmolda

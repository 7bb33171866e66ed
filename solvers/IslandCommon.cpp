#include "solvers/IslandCommon.h"

#include "command/Switches.h"
#include "command/TextBuffer.h"
#include "grounding/InstanceText.h"

namespace vexmolda {

// The texts are only built when the log keeps them.
void logTryingToAchieve(const State& goals) {
    if (logging()) log.append("\nTrying to achieve: " + stateText(goals));
}

void logPicked(const OperationInstance& instance) {
    if (logging()) log.append("Picked: " + signatureText(instance));
}

void logNewState(const State& state) {
    if (logging()) log.append("New State: " + stateText(state));
}

void buildCandidates(const State& state, const State& goals, std::vector<OperationInstance*>& candidates) {
    candidates.clear();
    for (const auto& instance : instanceList) {
        for (const Fact* fact : instance->add) {
            if (goals.contains(fact) && !state.contains(fact)) candidates.push_back(instance.get());
        }
    }
}

}  // namespace vexmolda

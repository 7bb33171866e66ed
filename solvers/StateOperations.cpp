#include "solvers/StateOperations.h"

namespace vexmolda {

int openGoalCount(const State& state, const State& goal) {
    int open = 0;
    for (const Fact* fact : goal) {
        if (!state.contains(fact)) ++open;
    }
    return open;
}

void applyInstance(State& state, const OperationInstance& instance) {
    if (!goalsHold(state, instance.pre())) return;
    for (Fact* fact : instance.del()) state.erase(fact);
    for (Fact* fact : instance.add()) state.insert(fact);
}

bool goalsHold(const State& state, FactSpan facts) {
    for (const Fact* fact : facts) {
        if (!state.contains(fact)) return false;
    }
    return true;
}

}  // namespace vexmolda

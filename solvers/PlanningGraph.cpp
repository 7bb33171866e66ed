#include "solvers/PlanningGraph.h"

#include <algorithm>

#include "solvers/DeadInstances.h"
#include "solvers/Mutex.h"

namespace vexmolda {

void PlanningGraph::clearGraph() {
    actionNodes.clear();
    factNodes.clear();
    actionLevelEnd.clear();
    factLevelEnd.clear();
    pendingInstances.clear();
    nodeOfFact.clear();
    placeable.clear();
    changed = true;
    stamp = nextCreationNumber();
}

void PlanningGraph::buildLevelZero(const State& initial, const InstanceList& instances, std::size_t factCount) {
    // Upper bounds: nodes never move during a solve, so references stay valid.
    actionNodes.reserve(instances.size() + factCount);
    factNodes.reserve(factCount);
    nodeOfFact.assign(factCount, -1);
    for (const auto& instance : instances) pendingInstances.push_back(instance.get());
    placeable = liveInstances(instances, initial, factCount);
    endLevel();
    for (Fact* fact : initial) {
        const std::uint32_t id = addFactNode(fact);
        factNodes[id].mutex.emplace_back(wordsFor(static_cast<std::uint32_t>(initial.size())));
    }
    endLevel();
}

std::uint32_t PlanningGraph::addActionNode(OperationInstance* instance) {
    actionNodes.emplace_back();
    actionNodes.back().instance = instance;
    return static_cast<std::uint32_t>(actionNodes.size() - 1);
}

std::uint32_t PlanningGraph::addFactNode(Fact* fact) {
    factNodes.emplace_back();
    factNodes.back().fact = fact;
    const auto id = static_cast<std::uint32_t>(factNodes.size() - 1);
    if (fact->id >= 0 && static_cast<std::size_t>(fact->id) < nodeOfFact.size()) nodeOfFact[fact->id] = id;
    return id;
}

std::int64_t PlanningGraph::factNodeOf(const Fact* fact) const {
    if (fact->id < 0 || static_cast<std::size_t>(fact->id) >= nodeOfFact.size()) return -1;
    return nodeOfFact[fact->id];
}

void PlanningGraph::endLevel() {
    actionLevelEnd.push_back(static_cast<std::uint32_t>(actionNodes.size()));
    if (!factLevelEnd.empty() && factLevelEnd.back() != factNodes.size()) changed = true;
    factLevelEnd.push_back(static_cast<std::uint32_t>(factNodes.size()));
}

bool PlanningGraph::tryPlace(OperationInstance* instance, std::uint32_t level) {
    // The same answer as walking every fact of level L-1: all preconditions
    // present below factLevelEnd[L] and no two of them mutex at level L-1.
    collected.clear();
    const std::uint32_t present = factLevelEnd[level];
    for (const Fact* fact : instance->pre) {
        const std::int64_t id = factNodeOf(fact);
        if (id < 0 || id >= present) return false;
        collected.push_back(static_cast<std::uint32_t>(id));
    }
    std::sort(collected.begin(), collected.end());
    for (std::size_t c = 1; c < collected.size(); ++c) {
        const BitRow& row = factNodes[collected[c]].mutex[level - 1];
        for (std::size_t p = 0; p < c; ++p) {
            if (row.test(collected[p])) return false;
        }
    }
    const std::uint32_t action = addActionNode(instance);
    actionNodes[action].pres = collected;
    return true;
}

void PlanningGraph::expand(std::uint32_t level) {
    if (!changed) return;
    changed = false;

    for (std::uint32_t fact = factLevelEnd[level - 1]; fact < factLevelEnd[level]; ++fact) {
        const std::uint32_t action = addActionNode(nullptr);
        actionNodes[action].adds.push_back(fact);
        actionNodes[action].pres.push_back(fact);
        factNodes[fact].producers.push_back(action);
    }

    for (auto position = pendingInstances.begin(); position != pendingInstances.end();) {
        OperationInstance* instance = *position;
        const auto id = static_cast<std::size_t>(instance->id);
        if ((id < placeable.size() && !placeable[id]) || !tryPlace(instance, level)) {
            ++position;
            continue;
        }
        const auto action = static_cast<std::uint32_t>(actionNodes.size() - 1);
        for (Fact* fact : instance->add) {
            std::int64_t id = factNodeOf(fact);
            if (id < 0) id = addFactNode(fact);
            actionNodes[action].adds.push_back(static_cast<std::uint32_t>(id));
            factNodes[id].producers.push_back(action);
        }
        position = pendingInstances.erase(position);
    }

    endLevel();
    computeActionMutexes(*this, level);
    computeFactMutexes(*this, level);
}

}  // namespace vexmolda

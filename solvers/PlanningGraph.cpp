#include "solvers/PlanningGraph.h"

#include <algorithm>
#include <cassert>

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
    for (const auto& instance : instances) pendingInstances.push_back(instance);
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
    for (const Fact* fact : instance->pre()) {
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

bool PlanningGraph::expand(std::uint32_t level, WorkControl* control) {
    if (!changed) return true;
    changed = false;
    const std::size_t actionsBefore = actionNodes.size();
    const std::size_t factsBefore = factNodes.size();
    const std::size_t boundsBefore = actionLevelEnd.size();
    placedNow.clear();

    for (std::uint32_t fact = factLevelEnd[level - 1]; fact < factLevelEnd[level]; ++fact) {
        const std::uint32_t action = addActionNode(nullptr);
        actionNodes[action].adds.push_back(fact);
        actionNodes[action].pres.push_back(fact);
        factNodes[fact].producers.push_back(action);
    }

    for (auto position = pendingInstances.begin(); position != pendingInstances.end();) {
        if (control && control->shouldStop()) {
            dropLevel(level, actionsBefore, factsBefore, boundsBefore);
            return false;
        }
        OperationInstance* instance = *position;
        const auto id = static_cast<std::size_t>(instance->id);
        if ((id < placeable.size() && !placeable[id]) || !tryPlace(instance, level)) {
            ++position;
            continue;
        }
        const auto action = static_cast<std::uint32_t>(actionNodes.size() - 1);
        for (Fact* fact : instance->add()) {
            std::int64_t id = factNodeOf(fact);
            if (id < 0) id = addFactNode(fact);
            actionNodes[action].adds.push_back(static_cast<std::uint32_t>(id));
            factNodes[id].producers.push_back(action);
        }
        const auto placed = position++;
        placedNow.splice(placedNow.end(), pendingInstances, placed);
    }

    endLevel();
    if (!computeActionMutexes(*this, level, control) || !computeFactMutexes(*this, level, control)) {
        dropLevel(level, actionsBefore, factsBefore, boundsBefore);
        return false;
    }
    placedNow.clear();
    return true;
}

void PlanningGraph::dropLevel(std::uint32_t level, std::size_t actionsBefore, std::size_t factsBefore,
                              std::size_t boundsBefore) {
    assert(actionsBefore <= actionNodes.size() && factsBefore <= factNodes.size());
    // Pending instances are in instance order, as were the placed ones.
    pendingInstances.merge(placedNow, [](const OperationInstance* left, const OperationInstance* right) {
        return left->id < right->id;
    });
    for (std::size_t fact = factsBefore; fact < factNodes.size(); ++fact) {
        const Fact* removed = factNodes[fact].fact;
        if (removed->id >= 0 && static_cast<std::size_t>(removed->id) < nodeOfFact.size()) nodeOfFact[removed->id] = -1;
    }
    actionNodes.resize(actionsBefore);
    factNodes.resize(factsBefore);
    const auto keptActions = static_cast<std::uint32_t>(actionsBefore);
    for (ActionNode& node : actionNodes) {
        if (node.mutex.size() > level) node.mutex.resize(level);
        node.interference.keepBelow(keptActions);
    }
    for (FactNode& node : factNodes) {
        if (node.mutex.size() > level) node.mutex.resize(level);
        // Producers are appended in id order, so this level's come last.
        while (!node.producers.empty() && node.producers.back() >= keptActions) node.producers.pop_back();
    }
    actionLevelEnd.resize(boundsBefore);
    factLevelEnd.resize(boundsBefore);
    changed = true;
}

}  // namespace vexmolda

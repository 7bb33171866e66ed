#include "solvers/Mutex.h"

#include <cassert>

namespace vexmolda {

namespace {

// The first fact the deleter deletes that the other adds or needs.
bool deletesAnyOf(const OperationInstance& deleter, const OperationInstance& other, InterferenceWitness& witness) {
    for (const Fact* fact : deleter.del()) {
        const bool added = other.add().contains(fact);
        if (added || other.pre().contains(fact)) {
            witness.fact = fact;
            witness.addEffect = added;
            return true;
        }
    }
    return false;
}

bool stopAsked(WorkControl* control) { return control && control->shouldStop(); }

}  // namespace

InterferenceWitness interference(const PlanningGraph& graph, std::uint32_t a, std::uint32_t b) {
    const ActionNode& first = graph.actionNodes[a];
    const ActionNode& second = graph.actionNodes[b];
    InterferenceWitness witness;
    if (!first.instance && !second.instance) return witness;
    // A no-op's fact is its precondition and its add effect; it is named as the precondition.
    if (!first.instance || !second.instance) {
        const std::uint32_t noop = first.instance ? b : a;
        const std::uint32_t action = first.instance ? a : b;
        const Fact* fact = graph.factNodes[graph.actionNodes[noop].adds[0]].fact;
        if (graph.actionNodes[action].instance->del().contains(fact)) witness = {true, action, noop, fact, false};
        return witness;
    }
    if (deletesAnyOf(*first.instance, *second.instance, witness)) {
        witness.found = true;
        witness.deleter = a;
        witness.other = b;
    } else if (deletesAnyOf(*second.instance, *first.instance, witness)) {
        witness.found = true;
        witness.deleter = b;
        witness.other = a;
    }
    return witness;
}

bool interferes(const PlanningGraph& graph, std::uint32_t a, std::uint32_t b) {
    return interference(graph, a, b).found;
}

NeedsWitness competingNeed(const PlanningGraph& graph, std::uint32_t a, std::uint32_t b, std::uint32_t level) {
    for (std::uint32_t p : graph.actionNodes[a].pres) {
        const BitRow& row = graph.factNodes[p].mutex[level - 1];
        for (std::uint32_t q : graph.actionNodes[b].pres) {
            if (row.test(q)) return {true, p, q};
        }
    }
    return {};
}

bool competingNeeds(const PlanningGraph& graph, std::uint32_t a, std::uint32_t b, std::uint32_t level) {
    return competingNeed(graph, a, b, level).found;
}

bool producersMutex(const PlanningGraph& graph, std::uint32_t f, std::uint32_t g, std::uint32_t level) {
    // Producers placed at later levels do not count (there are none while
    // level L is built; asked afterwards, the answer stays that of level L).
    assert(level + 1 < graph.actionLevelEnd.size());
    const std::uint32_t present = graph.actionLevelEnd[level + 1];
    for (std::uint32_t x : graph.factNodes[f].producers) {
        if (x >= present) break;
        const BitRow& row = graph.actionNodes[x].mutex[level];
        for (std::uint32_t y : graph.factNodes[g].producers) {
            if (y >= present) break;
            if (!row.test(y)) return false;
        }
    }
    return true;
}

bool computeActionMutexes(PlanningGraph& graph, std::uint32_t level, WorkControl* control) {
    const std::uint32_t oldEnd = graph.actionLevelEnd[level];
    const std::uint32_t end = graph.actionLevelEnd[level + 1];
    const std::size_t words = wordsFor(end);
    auto& nodes = graph.actionNodes;

    for (std::uint32_t i = 0; i < oldEnd; ++i) {
        if (stopAsked(control)) return false;
        nodes[i].interference.grow(words);
        nodes[i].mutex.push_back(nodes[i].interference);
        // Only pairs mutex one level down can still be mutex by competing needs.
        for (std::uint32_t l = 0; l < i; ++l) {
            if (!nodes[l].interference.test(i) && nodes[l].mutex[level - 1].test(i) &&
                competingNeeds(graph, i, l, level)) {
                nodes[l].mutex[level].set(i);
                nodes[i].mutex[level].set(l);
            }
        }
    }

    for (std::uint32_t j = oldEnd; j < end; ++j) {
        if (stopAsked(control)) return false;
        nodes[j].mutex.resize(level + 1);
        nodes[j].mutex[level].grow(words);
        nodes[j].interference.grow(words);
        for (std::uint32_t l = 0; l < j; ++l) {
            if (interferes(graph, j, l)) {
                nodes[j].interference.set(l);
                nodes[j].mutex[level].set(l);
                nodes[l].interference.set(j);
                nodes[l].mutex[level].set(j);
            } else if (competingNeeds(graph, j, l, level)) {
                nodes[j].mutex[level].set(l);
                nodes[l].mutex[level].set(j);
            }
        }
    }
    return true;
}

bool computeFactMutexes(PlanningGraph& graph, std::uint32_t level, WorkControl* control) {
    const std::uint32_t oldEnd = graph.factLevelEnd[level];
    const std::uint32_t end = graph.factLevelEnd[level + 1];
    const std::size_t words = wordsFor(end);
    auto& nodes = graph.factNodes;

    for (std::uint32_t i = 0; i < oldEnd; ++i) {
        if (stopAsked(control)) return false;
        nodes[i].mutex.resize(level + 1);
        nodes[i].mutex[level].grow(words);
        for (std::uint32_t k = 0; k < i; ++k) {
            if (!nodes[k].mutex[level - 1].test(i)) continue;
            if (producersMutex(graph, i, k, level)) {
                nodes[i].mutex[level].set(k);
                nodes[k].mutex[level].set(i);
            } else {
                graph.changed = true;
            }
        }
    }

    for (std::uint32_t j = oldEnd; j < end; ++j) {
        if (stopAsked(control)) return false;
        nodes[j].mutex.resize(level + 1);
        nodes[j].mutex[level].grow(words);
        for (std::uint32_t l = 0; l < j; ++l) {
            if (producersMutex(graph, j, l, level)) {
                nodes[j].mutex[level].set(l);
                nodes[l].mutex[level].set(j);
            }
        }
    }
    return true;
}

}  // namespace vexmolda

#pragma once
// The layered planning graph: every fact and action stored once, at the level
// where it first appears; per-level data is only the mutex rows.

#include <cstdint>
#include <list>
#include <vector>

#include "domain/CreationSequence.h"
#include "domain/Fact.h"
#include "domain/State.h"
#include "domain/WorkControl.h"
#include "grounding/OperationInstance.h"
#include "solvers/BitRow.h"

namespace vexmolda {

// An action of the graph: a placed instance, or the no-op of one fact.
struct ActionNode {
    BitRow interference;              // level-independent, by action id
    OperationInstance* instance = nullptr;  // null for a no-op
    std::vector<BitRow> mutex;        // by level; empty rows before the node existed
    std::vector<std::uint32_t> adds;  // fact ids
    std::vector<std::uint32_t> pres;  // fact ids, ascending
};

// A fact of the graph.
struct FactNode {
    Fact* fact = nullptr;
    std::vector<BitRow> mutex;             // by level; empty rows before the node existed
    std::vector<std::uint32_t> producers;  // action ids in order of placement
};

// The graph the "graph" solver grows and the windows read after a solve.
class PlanningGraph {
public:
    // Forgets every node and level; the graph is then empty.
    void clearGraph();
    // Changes whenever the graph is cleared; each graph has its own: views see a new graph by it.
    std::uint64_t contentStamp() const { return stamp; }
    // Level 0 from the initial state; every instance becomes pending.
    void buildLevelZero(const State& initial, const InstanceList& instances, std::size_t factCount);
    std::uint32_t addActionNode(OperationInstance* instance);
    std::uint32_t addFactNode(Fact* fact);
    // Records the current node counts as the next level boundary.
    void endLevel();
    // Places the instance at action level L when its preconditions are present
    // and pairwise non-mutex at fact level L-1.
    bool tryPlace(OperationInstance* instance, std::uint32_t level);
    // Builds action level L and fact level L, then their mutexes; nothing once
    // levelled off. Polls the control, if any: asked to stop, it leaves the
    // graph as it was before the call and answers false.
    bool expand(std::uint32_t level, WorkControl* control = nullptr);

    // Fact levels built minus one (the deepest level D); -1 when empty.
    std::int64_t deepestLevel() const { return static_cast<std::int64_t>(factLevelEnd.size()) - 2; }
    // The node id holding the fact, or -1.
    std::int64_t factNodeOf(const Fact* fact) const;

    std::list<OperationInstance*> pendingInstances;
    std::vector<ActionNode> actionNodes;
    std::vector<FactNode> factNodes;
    std::vector<std::uint32_t> actionLevelEnd;
    std::vector<std::uint32_t> factLevelEnd;
    bool changed = false;

private:
    // Fact node by fact id, so add effects find their node without a scan.
    std::vector<std::int64_t> nodeOfFact;
    std::uint64_t stamp = nextCreationNumber();
    // By instance id: false for instances that can never be placed (a
    // precondition nothing adds and the initial state lacks); they stay pending.
    std::vector<bool> placeable;
    std::vector<std::uint32_t> collected;  // tryPlace's working list
    // The instances expand placed at the level it builds, in pending order.
    std::list<OperationInstance*> placedNow;
    // Undoes a level expand began: its nodes, their edges, rows and boundaries.
    void dropLevel(std::uint32_t level, std::size_t actionsBefore, std::size_t factsBefore, std::size_t boundsBefore);
};

}  // namespace vexmolda

#pragma once
// Flat copies of the planning graph's per-action data that the backward
// search reads on every choice, so a choice reads one block, not a node.

#include <cstdint>
#include <vector>

#include "solvers/PlanningGraph.h"

namespace vexmolda {

class GraphSearchRows {
public:
    void clear();
    // The mutex rows of the actions present at the level, each the level's
    // action width, ready once the level's mutexes are final.
    const std::uint32_t* mutexRows(const PlanningGraph& graph, std::uint32_t level);
    // Adds and preconditions of every action of the graph so far.
    void coverActions(const PlanningGraph& graph);
    const std::uint32_t* addsBegin(std::uint32_t action) const { return adds.data() + addsStart[action]; }
    const std::uint32_t* addsEnd(std::uint32_t action) const { return adds.data() + addsStart[action + 1]; }
    const std::uint32_t* presBegin(std::uint32_t action) const { return pres.data() + presStart[action]; }
    const std::uint32_t* presEnd(std::uint32_t action) const { return pres.data() + presStart[action + 1]; }

private:
    std::vector<std::vector<std::uint32_t>> levelMutexRows;  // by level; empty until asked
    std::vector<std::uint32_t> adds;
    std::vector<std::uint32_t> addsStart{0};
    std::vector<std::uint32_t> pres;
    std::vector<std::uint32_t> presStart{0};
};

}  // namespace vexmolda

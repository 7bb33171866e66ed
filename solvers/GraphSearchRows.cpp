#include "solvers/GraphSearchRows.h"

#include <algorithm>
#include <cassert>

#include "solvers/BitRow.h"

namespace vexmolda {

void GraphSearchRows::clear() {
    levelMutexRows.clear();
    adds.clear();
    addsStart.assign(1, 0);
    pres.clear();
    presStart.assign(1, 0);
}

const std::uint32_t* GraphSearchRows::mutexRows(const PlanningGraph& graph, std::uint32_t level) {
    if (levelMutexRows.size() <= level) levelMutexRows.resize(level + 1);
    std::vector<std::uint32_t>& rows = levelMutexRows[level];
    if (rows.empty()) {
        // A level's rows never change once the graph is deeper than it or
        // has levelled off, which is when the search reads them.
        const std::uint32_t present = graph.actionLevelEnd[level + 1];
        const std::size_t width = wordsFor(present);
        rows.assign(static_cast<std::size_t>(present) * width, 0u);
        for (std::uint32_t action = 0; action < present; ++action) {
            const std::vector<std::uint32_t>& words = graph.actionNodes[action].mutex[level].words;
            std::copy_n(words.begin(), std::min(words.size(), width), rows.begin() + action * width);
        }
    }
    return rows.data();
}

void GraphSearchRows::coverActions(const PlanningGraph& graph) {
    for (auto action = static_cast<std::uint32_t>(addsStart.size() - 1); action < graph.actionNodes.size(); ++action) {
        const ActionNode& node = graph.actionNodes[action];
        adds.insert(adds.end(), node.adds.begin(), node.adds.end());
        addsStart.push_back(static_cast<std::uint32_t>(adds.size()));
        pres.insert(pres.end(), node.pres.begin(), node.pres.end());
        presStart.push_back(static_cast<std::uint32_t>(pres.size()));
    }
    assert(addsStart.size() == graph.actionNodes.size() + 1);
}

}  // namespace vexmolda

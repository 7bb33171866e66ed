#include "solvers/GraphSearchRows.h"

#include <algorithm>
#include <cassert>

#include "solvers/BitRow.h"

namespace vexmolda {

namespace {

// One row per action present at the level, a bit set for each fact of its
// list; rows are one word wider than the level's facts need, as BitRow's are.
template <typename Word>
const Word* listRows(std::vector<std::vector<Word>>& byLevel, const PlanningGraph& graph, std::uint32_t level,
                     std::vector<std::uint32_t> ActionNode::*facts) {
    if (byLevel.size() <= level) byLevel.resize(level + 1);
    std::vector<Word>& rows = byLevel[level];
    if (rows.empty()) {
        constexpr std::uint32_t bits = sizeof(Word) * 8;
        const std::uint32_t present = graph.actionLevelEnd[level + 1];
        const std::uint32_t factCount = graph.factLevelEnd[level + 1];
        const std::size_t width = factCount / bits + 1;
        // 32-bit rows are read at the memo keys' width.
        assert(bits != 32 || width == wordsFor(factCount));
        rows.assign(static_cast<std::size_t>(present) * width, Word{0});
        for (std::uint32_t action = 0; action < present; ++action) {
            for (std::uint32_t fact : graph.actionNodes[action].*facts) {
                assert(fact < factCount);
                rows[action * width + fact / bits] |= Word{1} << (fact % bits);
            }
        }
    }
    return rows.data();
}

}  // namespace

void GraphSearchRows::clear() {
    levelMutexRows.clear();
    levelAddsRows.clear();
    levelPresRows.clear();
}

const std::uint64_t* GraphSearchRows::mutexRows(const PlanningGraph& graph, std::uint32_t level) {
    if (levelMutexRows.size() <= level) levelMutexRows.resize(level + 1);
    std::vector<std::uint64_t>& rows = levelMutexRows[level];
    if (rows.empty()) {
        // A level's rows never change once the graph is deeper than it or
        // has levelled off, which is when the search reads them.
        const std::uint32_t present = graph.actionLevelEnd[level + 1];
        const std::size_t width = rowWords(present);
        rows.assign(static_cast<std::size_t>(present) * width, 0u);
        for (std::uint32_t action = 0; action < present; ++action) {
            const std::vector<std::uint32_t>& words = graph.actionNodes[action].mutex[level].words;
            std::uint64_t* row = rows.data() + action * width;
            // Only actions present at the level can be mutex with one there.
            assert(words.size() <= 2 * width || std::all_of(words.begin() + 2 * width, words.end(), [](std::uint32_t w) { return w == 0; }));
            for (std::size_t word = 0; word < std::min(words.size(), 2 * width); ++word) {
                row[word / 2] |= std::uint64_t{words[word]} << (word % 2 * 32);
            }
        }
    }
    return rows.data();
}

const std::uint64_t* GraphSearchRows::addsRows(const PlanningGraph& graph, std::uint32_t level) {
    return listRows(levelAddsRows, graph, level, &ActionNode::adds);
}

const std::uint32_t* GraphSearchRows::presRows(const PlanningGraph& graph, std::uint32_t level) {
    return listRows(levelPresRows, graph, level, &ActionNode::pres);
}

}  // namespace vexmolda

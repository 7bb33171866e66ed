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
    // The mutex rows of the actions present at the level in 64-bit words,
    // each rowWords(present actions) long, ready once the level's mutexes are final.
    const std::uint64_t* mutexRows(const PlanningGraph& graph, std::uint32_t level);
    static std::size_t rowWords(std::uint32_t count) { return count / 64u + 1u; }
    // The adds of the actions present at the level as rows over the level's
    // facts, each rowWords(facts at the level) long.
    const std::uint64_t* addsRows(const PlanningGraph& graph, std::uint32_t level);
    // The preconditions of the actions present at the level as rows of
    // 32-bit words over the level's facts, each wordsFor(facts at the level)
    // long: the width of the memo's keys.
    const std::uint32_t* presRows(const PlanningGraph& graph, std::uint32_t level);

private:
    std::vector<std::vector<std::uint64_t>> levelMutexRows;  // by level; empty until asked
    std::vector<std::vector<std::uint64_t>> levelAddsRows;   // likewise
    std::vector<std::vector<std::uint32_t>> levelPresRows;   // likewise
};

}  // namespace vexmolda

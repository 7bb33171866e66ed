#pragma once
// The solver "graph": a planning graph grown level by level, searched
// backwards from the goals, with a memo of failed subgoal sets.

#include <cstdint>
#include <vector>

#include "solvers/NoGoodMemo.h"
#include "solvers/PlanningGraph.h"
#include "solvers/Plan.h"
#include "solvers/Solver.h"

namespace vexmolda {

// Search statistics of the last solve ("recs" and "hits" of the report line).
extern std::int32_t searchCalls;
extern std::int32_t noGoodHits;

class Graphplan : public Solver {
public:
    Graphplan();
    bool solve(const State& initial, const State& goal, std::int32_t limit) override;
    // Clears the plan, the graph and the memo.
    void reset() override;
    // The graph and the plan refer to instances: both go.
    void forgetInstances() override;

    // Checks the goals against the graph at the level and searches from there.
    bool startSearch(std::uint32_t level, const State& goal);
    // Chooses producers for the goals at level a and recurses on their
    // preconditions; on success appends the layers of levels 1 to a.
    bool searchLevel(std::int32_t level, const std::vector<std::uint32_t>& goals);

    ParPlan plan;
    PlanningGraph graph;
    NoGoodMemo noGoods;
    // The level counter when the last solve ended.
    std::uint32_t lastLevel = 0;
};

// The one process-wide "graph" solver.
Graphplan& graphplanSolver();

}  // namespace vexmolda

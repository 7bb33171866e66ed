#pragma once
// The solver "graph": a planning graph grown level by level, searched
// backwards from the goals, with a memo of failed subgoal sets.

#include <cstdint>
#include <memory>
#include <vector>

#include "solvers/NoGoodMemo.h"
#include "solvers/PlanningGraph.h"
#include "solvers/Plan.h"
#include "solvers/Solver.h"

namespace vexmolda {

class Graphplan : public Solver {
public:
    Graphplan();
    bool solve(const SolveTask& task, SolveResult& result, SolveContext& context) override;
    std::unique_ptr<Plan> takePlan() override { return std::make_unique<ParPlan>(std::move(plan)); }

    // Checks the goals against the graph at the level and searches from there.
    bool startSearch(std::uint32_t level, const State& goal);
    // Chooses producers for the goals at level a and recurses on their
    // preconditions; on success appends the layers of levels 1 to a.
    bool searchLevel(std::int32_t level, const std::vector<std::uint32_t>& goals);

    ParPlan plan;
    // Shared with the result, so the windows keep it after the run.
    std::shared_ptr<PlanningGraph> graphHolder;
    PlanningGraph& graph;
    NoGoodMemo noGoods;
    // Search statistics of the run ("recs" and "hits" of the report line).
    std::int32_t searchCalls = 0;
    std::int32_t noGoodHits = 0;

private:
    WorkControl* control = nullptr;
    // Set once the control asked to stop: every level then fails at once.
    bool stopping = false;
};

}  // namespace vexmolda

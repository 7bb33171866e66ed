#pragma once
// The solver "graph": a planning graph grown level by level, searched
// backwards from the goals, with a memo of failed subgoal sets.

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "solvers/GraphSearchRows.h"
#include "solvers/NoGoodMemo.h"
#include "solvers/PlanningGraph.h"
#include "solvers/Plan.h"
#include "solvers/Solver.h"

namespace vexmolda {

// The counters of a "graph" run; the control's first, second and third are
// the level, the recursions and the memo entries.
struct GraphplanStatistics : SolverStatistics {
    std::uint32_t levels = 0;     // the level counter when the run ended
    std::int32_t recursions = 0;  // "recs" of the report line
    std::uint32_t memoEntries = 0;
    std::int32_t memoHits = 0;

    const CounterLabels& progressLabels() const override;
    std::vector<StatisticsField> fields() const override;
    MadeSoFar madeSoFar() const override { return {static_cast<std::uint64_t>(recursions), "recursions"}; }
};

class Graphplan : public CountingSolver<GraphplanStatistics> {
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
    // The working data of searchLevel at one level.
    struct SearchFrame {
        std::vector<std::uint32_t> candidates;      // producers of every goal, goal after goal
        std::vector<std::uint32_t> candidateBegin;  // each goal's first candidate, then the end
        std::vector<std::uint32_t> cursor;          // each goal's candidate being tried
        std::vector<std::uint8_t> choseFor;         // whether that candidate was chosen
        std::vector<std::uint32_t> chosen;          // the chosen actions, in goal order
        std::vector<std::uint64_t> factRows;        // facts reached, one row per goal and one more
        std::vector<std::uint64_t> excludedRows;    // actions excluded, likewise
        std::vector<std::uint32_t> source;          // the row each goal starts from
        std::vector<std::uint32_t> subgoalRow;      // the chosen actions' preconditions as a set
        std::vector<std::uint32_t> subgoals;        // the same, ascending
    };
    GraphSearchRows rows;
    // By level; a deque, so a deeper call never moves the frames above it.
    std::deque<SearchFrame> frames;
    WorkControl* control = nullptr;
    // Set once the control asked to stop: every level then fails at once.
    bool stopping = false;
};

}  // namespace vexmolda

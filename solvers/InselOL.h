#pragma once
// The island solver "inselol": tries the candidates for a missing goal fact in
// turn and limits how often each instance may be used in one run.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "solvers/IslandCommon.h"
#include "solvers/Plan.h"

namespace vexmolda {

// One instance and how often the current run has counted it.
struct UsageEntry {
    OperationInstance* instance;
    // Wider than the limit, so no run can overflow it.
    std::int64_t uses;
};

// The solver "inselol"; the limit is how often beyond the first an instance may be used.
class inselOL : public IslandSolver {
public:
    bool solve(const SolveTask& task, SolveResult& result, SolveContext& context) override;

    // Works the goals into the state; a failed candidate's effects stay.
    bool achieveOL(State& state, FactSpan goals, std::int32_t limit, int depth);

    // A level recurses only while the next depth is at most this.
    static constexpr int deepestLevel = 300;

    // One entry per instance, in list order; rebuilt by every run.
    std::vector<UsageEntry> usage;

private:
    // Set once the run passed islandStepBound or islandPickBound: every level then fails at once.
    bool abandoned = false;
    std::size_t picks = 0;
};

}  // namespace vexmolda

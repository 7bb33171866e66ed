#pragma once
// Best-first forward search with f = steps taken + goal facts still open.

#include <cstdint>

#include "solvers/Plan.h"
#include "solvers/Solver.h"

namespace vexmolda {

// What the last run of the A* search did, for benchmarks and tests.
struct SearchStatistics {
    std::uint64_t expanded = 0;   // nodes taken from the queue
    std::uint64_t generated = 0;  // successors pushed
    std::uint64_t statesStored = 0;
    std::uint64_t bytesUsed = 0;
};

// The solver "a*": the first generated successor that meets the goal ends the
// search; states in the queue or closed are not generated again.
class aStar : public Solver {
public:
    aStar();
    bool solve(const State& initial, const State& goal, std::int32_t limit) override;

    Plan plan;
    SearchStatistics statistics;
};

// The one process-wide "a*" solver.
aStar& aStarSolver();

}  // namespace vexmolda

#pragma once
// Best-first forward search with f = steps taken + goal facts still open.

#include <cstdint>

#include "solvers/Plan.h"
#include "solvers/Solver.h"

namespace vexmolda {

// The solver "a*": the first generated successor that meets the goal ends the
// search; states in the queue or closed are not generated again.
class aStar : public Solver {
public:
    bool solve(const SolveTask& task, SolveResult& result, SolveContext& context) override;
    std::unique_ptr<Plan> takePlan() override { return std::make_unique<Plan>(std::move(plan)); }

    Plan plan;
};

}  // namespace vexmolda

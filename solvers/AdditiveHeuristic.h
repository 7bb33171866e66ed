#pragma once
// "hadd": the sum of the goal facts' delete-relaxation costs, each fact
// costing its cheapest achiever plus the sum over its preconditions.

#include "solvers/Heuristic.h"
#include "solvers/RelaxedExploration.h"

namespace vexmolda {

// Not admissible: shared subgoals are counted once per use.
class AdditiveHeuristic : public Heuristic {
public:
    explicit AdditiveHeuristic(const RelaxedTask& task);
    std::int32_t evaluate(const std::uint64_t* state, const std::uint64_t* status) override;

private:
    RelaxedExploration exploration;
};

}  // namespace vexmolda

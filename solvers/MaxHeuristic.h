#pragma once
// "hmax": the delete relaxation's cost of the dearest goal fact, each fact
// costing its cheapest achiever plus its dearest precondition.

#include "solvers/Heuristic.h"
#include "solvers/RelaxedExploration.h"

namespace vexmolda {

// Admissible: no plan is cheaper. With unit costs a fact's value is the
// first layer of the relaxed planning graph that holds it.
class MaxHeuristic : public Heuristic {
public:
    explicit MaxHeuristic(const RelaxedTask& task);
    std::int32_t evaluate(const std::uint64_t* state, const std::uint64_t* status) override;
    // Every fact's cost from the state, not only the goal's.
    std::int32_t exploreWhole(const std::uint64_t* state) { return exploration.explore(state, true); }
    const RelaxedExploration& costs() const { return exploration; }

private:
    RelaxedExploration exploration;
};

}  // namespace vexmolda

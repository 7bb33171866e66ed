#pragma once
// "ff": a relaxed plan read back from hadd's best supporters; its value is
// the cost of its actions, each counted once, and its actions applicable in
// the state are the helpful ones.

#include <cstdint>
#include <vector>

#include "solvers/Heuristic.h"
#include "solvers/RelaxedExploration.h"

namespace vexmolda {

// Supporters tie to the lowest instance id, so the plan is the same on every
// platform.
class RelaxedPlanHeuristic : public Heuristic {
public:
    explicit RelaxedPlanHeuristic(const RelaxedTask& task);
    std::int32_t evaluate(const std::uint64_t* state, const std::uint64_t* status) override;
    std::span<const std::int32_t> preferred() const override { return helpful; }
    // The last evaluation's relaxed plan as relaxed-task actions, ascending.
    std::span<const std::uint32_t> relaxedPlan() const { return plan; }

private:
    RelaxedExploration exploration;
    // Marks of the current evaluation: equal to stamp means marked.
    std::vector<std::uint32_t> factMark;
    std::vector<std::uint32_t> actionMark;
    std::uint32_t stamp = 0;
    std::vector<std::uint32_t> open;  // facts still to support
    std::vector<std::uint32_t> plan;
    std::vector<std::int32_t> helpful;
};

}  // namespace vexmolda

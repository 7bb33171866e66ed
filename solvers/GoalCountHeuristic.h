#pragma once
// "goalcount": the goal facts not in the state (the value "a*" adds to the steps).

#include "solvers/Heuristic.h"

namespace vexmolda {

// Never infinite: a goal fact no instance adds still counts one.
class GoalCountHeuristic : public Heuristic {
public:
    explicit GoalCountHeuristic(const RelaxedTask& task) : Heuristic(task) {}
    std::int32_t evaluate(const std::uint64_t* state, const std::uint64_t*) override {
        return relaxed.packed().openGoals(state);
    }
};

}  // namespace vexmolda

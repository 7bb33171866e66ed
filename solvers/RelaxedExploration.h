#pragma once
// The delete relaxation's cost of every fact from a state, to a fixed point:
// each action fires once its last precondition's cost is final, and facts
// leave a bucket queue in order of cost (Dijkstra's order, integer costs).

#include <cstdint>
#include <vector>

#include "solvers/RelaxedTask.h"

namespace vexmolda {

// How an action's cost combines its preconditions' costs.
enum class RelaxedCombine { maximum, sum };

// One exploration at a time; its arrays are reused, so after the first
// evaluations an exploration allocates nothing.
class RelaxedExploration {
public:
    RelaxedExploration(const RelaxedTask& task, RelaxedCombine combine);

    // Costs from the state (packed words); returns the goal's cost, the
    // maximum or the sum of its facts' costs, or infiniteValue. Stops once
    // the goal's facts are final unless whole asks for every fact's cost.
    std::int32_t explore(const std::uint64_t* state, bool whole = false);
    // A fact's cost after explore (infiniteValue when unreached; not final
    // for facts still queued when explore stopped early).
    std::int32_t factCost(std::uint32_t bit) const { return labels[bit].cost; }
    // The action that gave the fact its cost, the lowest-numbered among equal
    // ones; -1 for facts of the state and unreached ones.
    std::int32_t supporter(std::uint32_t bit) const { return labels[bit].supporter; }
    const RelaxedTask& task() const { return relaxed; }

private:
    void fire(std::uint32_t action, std::int32_t cost);
    void push(std::int32_t cost, std::uint32_t bit);

    const RelaxedTask& relaxed;
    RelaxedCombine combine;
    // Side by side, as the propagation reads them together.
    struct FactLabel {
        std::int32_t cost;
        std::int32_t supporter;
    };
    struct ActionProgress {
        std::uint32_t waitingFor;  // preconditions not final yet
        std::int32_t summed;       // their costs so far (sum only)
    };
    std::vector<FactLabel> labels;
    std::vector<ActionProgress> startProgress;  // by action: every precondition waiting
    std::vector<ActionProgress> progress;
    std::vector<std::uint8_t> isGoal;              // by bit
    // Buckets by cost below bucketLimit; dearer entries wait in a heap.
    std::vector<std::vector<std::uint32_t>> buckets;
    std::vector<std::pair<std::int32_t, std::uint32_t>> overflow;
    std::int32_t current = 0;
    std::size_t queued = 0;
};

}  // namespace vexmolda

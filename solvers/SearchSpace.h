#pragma once
// The states of a heuristic search: the packed task, the chosen heuristic and
// the bit-packed state table with one node, one mark and (only for a heuristic
// that needs one) one status per stored state.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "solvers/ChunkedArray.h"
#include "solvers/Heuristic.h"
#include "solvers/PackedStateTable.h"
#include "solvers/PackedTask.h"
#include "solvers/Plan.h"
#include "solvers/RelaxedTask.h"
#include "solvers/SolveTask.h"

namespace vexmolda {

// How a stored state was reached.
struct SearchNode {
    std::uint32_t parent;   // state number; none for the start state
    std::int32_t instance;  // the step that led here; -1 for the start state
};

// A successor of the state last expanded, in instance order.
struct Successor {
    std::uint32_t state;
    std::int32_t instance;
    bool isNew;      // stored by this expansion
    bool preferred;  // its instance is preferred in the parent
};

// The heuristic name a solve uses: the task's, or fallback for "default".
std::string heuristicNameFor(const SolveTask& task, const char* fallback);

// One run's states; states are never removed.
class SearchSpace {
public:
    // Builds the packed task and the heuristic named (a key of heuristicFactories()).
    SearchSpace(const SolveTask& task, const std::string& heuristicName);

    // Stores the initial state with its status; returns its number.
    std::uint32_t addInitial();
    // The state's heuristic value with its status; the preferred instances
    // stay readable until the next evaluate.
    std::int32_t evaluate(std::uint32_t state);
    bool isGoal(std::uint32_t state) const { return packed.openGoals(states.state(state)) == 0; }
    // Fills successors with the state's changed successors, storing the new
    // ones as reached from it; with markPreferred, marks those whose instance
    // is preferred by the heuristic's last evaluation (of this state).
    void expand(std::uint32_t state, bool markPreferred, std::vector<Successor>& successors);
    // Whether the applicable instances of the state, expanded, would pass the
    // memory limit (when one is set) with extra bytes held by the caller.
    bool wouldPassMemoryLimit(WorkControl& control, std::uint32_t state, std::size_t callerBytes,
                              std::size_t callerGrowth);
    std::size_t bytesUsed() const;
    std::size_t size() const { return states.size(); }
    SearchNode& node(std::uint32_t state) { return nodes[state]; }
    std::uint8_t& mark(std::uint32_t state) { return marks[state]; }
    // The steps from the initial state to the state, and the state's facts.
    void fillPlan(std::uint32_t state, Plan& plan) const;

private:
    std::uint32_t store(const std::uint64_t* state, std::uint64_t hash, SearchNode node);

    const SolveTask& task;
    PackedTask packed;
    RelaxedTask relaxed;
    std::unique_ptr<Heuristic> heuristic;
    std::size_t statusWords;
    PackedStateTable states;
    ChunkedArray<SearchNode> nodes;
    ChunkedArray<std::uint8_t> marks;
    ChunkedArray<std::uint64_t> statuses;  // empty when the heuristic needs none
    std::vector<std::uint64_t> parentWords;
    std::vector<std::uint64_t> parentStatus;
    std::vector<std::uint64_t> childWords;
    std::vector<std::int32_t> applicableIds;
};

}  // namespace vexmolda

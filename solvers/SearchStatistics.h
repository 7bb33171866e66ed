#pragma once
// The counters every heuristic search keeps, and the statistics types of
// "greedy", "wastar" and "ehc" made from them.

#include <cstdint>
#include <string>

#include "solvers/SolverStatistics.h"

namespace vexmolda {

// What one heuristic search counts; the control's first, second and third
// are expanded states, the best value so far and stored states.
struct SearchCounters {
    std::uint64_t expanded = 0;
    std::uint64_t evaluated = 0;  // heuristic evaluations
    std::uint64_t generated = 0;  // successors queued
    std::uint64_t states = 0;
    std::uint64_t stateBytes = 0;  // the search's own structures
    std::string heuristic;
    std::int64_t hInitial = -1;        // -1: the initial state is a dead end
    double preparationSeconds = 0;     // processor time before the first expansion
    std::uint64_t preferredExpanded = 0;  // expansions from the preferred queue
};

// The statistics of a heuristic search; with preferred it also shows
// preferred_expanded.
class HeuristicSearchStatistics : public SolverStatistics {
public:
    explicit HeuristicSearchStatistics(bool withPreferred) : withPreferred(withPreferred) {}
    const CounterLabels& progressLabels() const override;
    std::vector<StatisticsField> fields() const override;
    MadeSoFar madeSoFar() const override { return {counters.states, "states"}; }
    void adoptStoppedCounters(const WorkControl& control) override;

    SearchCounters counters;

private:
    bool withPreferred;
};

// The counters of "greedy".
struct GreedyStatistics : HeuristicSearchStatistics {
    GreedyStatistics() : HeuristicSearchStatistics(true) {}
};

// The counters of "wastar".
struct WeightedAStarStatistics : HeuristicSearchStatistics {
    WeightedAStarStatistics() : HeuristicSearchStatistics(false) {}
};

// The counters of "ehc", its fallback search's included.
struct HillClimbingStatistics : HeuristicSearchStatistics {
    HillClimbingStatistics() : HeuristicSearchStatistics(false) {}
};

// The --stats fields after the solver's own counters of a search that used a
// heuristic: evaluated, heuristic, h_initial, prep_s.
void appendHeuristicFields(const SearchCounters& counters, std::vector<StatisticsField>& fields);

}  // namespace vexmolda

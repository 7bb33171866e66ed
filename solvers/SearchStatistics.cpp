#include "solvers/SearchStatistics.h"

#include <algorithm>

namespace vexmolda {

const CounterLabels& HeuristicSearchStatistics::progressLabels() const {
    static constexpr CounterLabels labels{{{"expanded"}, {"best h", true}, {}}};
    return labels;
}

std::vector<StatisticsField> HeuristicSearchStatistics::fields() const {
    std::vector<StatisticsField> result = {{"expanded", counters.expanded},
                                           {"generated", counters.generated},
                                           {"states", counters.states},
                                           {"state_bytes", counters.stateBytes}};
    appendHeuristicFields(counters, result);
    if (withPreferred) result.push_back({"preferred_expanded", counters.preferredExpanded});
    return result;
}

void HeuristicSearchStatistics::adoptStoppedCounters(const WorkControl& control) {
    // A run that ran out of memory unwound before it counted its states.
    counters.expanded = std::max(counters.expanded, control.first.load(std::memory_order_relaxed));
    counters.states = std::max(counters.states, control.third.load(std::memory_order_relaxed));
}

void appendHeuristicFields(const SearchCounters& counters, std::vector<StatisticsField>& fields) {
    fields.push_back({"evaluated", counters.evaluated});
    fields.push_back({"heuristic", counters.heuristic});
    if (counters.hInitial < 0) {
        fields.push_back({"h_initial", std::string("infinite")});
    } else {
        fields.push_back({"h_initial", static_cast<std::uint64_t>(counters.hInitial)});
    }
    fields.push_back({"prep_s", counters.preparationSeconds});
}

}  // namespace vexmolda

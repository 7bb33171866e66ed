#pragma once
// What a solver reports besides its plan: its counters, and how the progress
// line, the stop message and the --stats line name them.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "domain/WorkControl.h"

namespace vexmolda {

// One entry of a solve's --stats line: a count, seconds (written with two
// decimals) or a text.
struct StatisticsField {
    const char* name;
    std::variant<std::uint64_t, double, std::string> value;
};

// What a stopped run had made: "Out of memory after 1,234 states".
struct MadeSoFar {
    std::uint64_t count = 0;
    const char* noun = "";
};

// The counters of one run; each solver has its own type of them.
class SolverStatistics {
public:
    virtual ~SolverStatistics() = default;
    // Names of the counters the run keeps in its control, for the progress
    // line; a static object, as the line is made on another thread.
    virtual const CounterLabels& progressLabels() const = 0;
    // The solver's own fields of the --stats line, in order.
    virtual std::vector<StatisticsField> fields() const = 0;
    // The count and noun of the stop message.
    virtual MadeSoFar madeSoFar() const = 0;
    // Takes what a stopped run left only in the control's counters.
    virtual void adoptStoppedCounters(const WorkControl& control) { (void)control; }
};

}  // namespace vexmolda

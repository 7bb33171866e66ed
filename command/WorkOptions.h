#pragma once
// The options both programs take for long work: limits and statistics.

#include <cstddef>
#include <string>
#include <vector>

namespace vexmolda {

class Session;

struct WorkOptions {
    double timeLimitSeconds = 0;      // --time-limit SECONDS; 0: none
    std::size_t memoryLimitMegabytes = 0;  // --memory-limit MB; 0: none
    bool stats = false;               // --stats
};

// Reads the option at arguments[i] with its value, advancing i past the
// value. 1: read; 0: not one of these options; -1: a bad or missing value.
int readWorkOption(const std::vector<std::string>& arguments, std::size_t& i, WorkOptions& options);

// Sets the limits on the session's control and, with --stats, hooks that
// print one JSON line to standard error after every solve and grounding
// (after whatever hooks the session had).
void applyWorkOptions(Session& session, const WorkOptions& options);

// The usage lines of these options.
extern const char* const workOptionsUsage;

}  // namespace vexmolda

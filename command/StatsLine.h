#pragma once
// One JSON object per solve and per grounding, for scripts and benchmarks.

#include <string>

#include "command/Session.h"

namespace vexmolda {

// {"event":"solve","solver":"a*","found":true,"steps":30,"cpu_s":6.10,"wall_s":6.12,...}
// with the solver's own counters; no line feed.
std::string solveStatsLine(const SolveResult& result, const WorkSummary& summary);
// {"event":"ground","instances":N,"bindings":N,"cpu_s":...,"wall_s":...}; no line feed.
std::string groundStatsLine(std::size_t instances, const WorkSummary& summary);

}  // namespace vexmolda

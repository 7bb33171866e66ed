#pragma once
// A generated task for long work: switches that flip on and off.

#include <string>

namespace vexmolda::testing {

// Switches s1 to sN, all off, that flip on and off (2^N reachable states),
// with the goal line's facts and a "buildInst" at the end; done() is a fact
// no operation adds.
std::string switchesTask(int switches, const std::string& goal);

}  // namespace vexmolda::testing

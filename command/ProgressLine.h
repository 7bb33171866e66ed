#pragma once
// The line that shows how running work gets on.

#include <string>

#include "domain/WorkControl.h"

namespace vexmolda {

// "solve a*: 3.2 s, 1,234,567 expanded, 2,345,678 states, 412 MB in use":
// what runs, the seconds since it started, the counters of the phase that
// runs now, and the process's memory.
std::string progressLine(const std::string& what, const WorkControl& control);

}  // namespace vexmolda

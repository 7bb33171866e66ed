#pragma once
// The message that says why work ended early.

#include <cstdint>
#include <string>

#include "domain/WorkControl.h"

namespace vexmolda {

// "Stopped by the user after 3.2 s", "Stopped at the time limit of 2 s" or
// "Out of memory after 21,400,000 states" (count and noun of what the work
// made); no line feed. Empty for StopReason::none.
std::string stopMessage(StopReason reason, const WorkControl& control, std::uint64_t count, const std::string& noun);

// The count with a comma between groups of three digits.
std::string groupedNumber(std::uint64_t value);

}  // namespace vexmolda

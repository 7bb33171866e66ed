#pragma once
// The processor's cycle counter, read so that earlier instructions have retired.

#include <cstdint>

namespace vexmolda {

// On x86-64 the time-stamp counter after a serialising instruction; elsewhere
// a monotonic clock in nanoseconds times 2, so the 2 GHz reading holds.
std::uint64_t readCycleCounter();

}  // namespace vexmolda

#pragma once
// Keeps the frame loop from running faster than the display needs.

namespace vexmolda {

// The frame period the loop keeps to when the display does not.
constexpr double framePeriod = 1.0 / 60.0;

// Seconds to sleep so that a frame started at frameStart lasts at least period; 0 when late.
double frameSleepSeconds(double frameStart, double now, double period);

// Sleeps out the rest of the frame begun at frameStart (seconds of the window timer).
void paceFrame(double frameStart);

}  // namespace vexmolda

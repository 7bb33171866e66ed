#include "gui/FramePacer.h"

#include <chrono>
#include <thread>

#include "gui/GlfwAdapter.h"

namespace vexmolda {

double frameSleepSeconds(double frameStart, double now, double period) {
    const double elapsed = now - frameStart;
    // A clock that went backwards is treated as a late frame.
    if (elapsed < 0 || elapsed >= period) return 0;
    return period - elapsed;
}

void paceFrame(double frameStart) {
    const double rest = frameSleepSeconds(frameStart, windowing::getTime(), framePeriod);
    if (rest > 0) std::this_thread::sleep_for(std::chrono::duration<double>(rest));
}

}  // namespace vexmolda

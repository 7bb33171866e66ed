#include "gui/WindowGeometry.h"

namespace vexmolda {

namespace {
int positiveOr(int value, int fallback) { return value > 0 ? value : fallback; }
}  // namespace

WindowGeometry followWindowSize(const WindowGeometry& previous, const windowing::WindowSizes& sizes) {
    return {positiveOr(sizes.framebufferWidth, previous.viewportWidth),
            positiveOr(sizes.framebufferHeight, previous.viewportHeight),
            positiveOr(sizes.windowWidth, previous.pointerWidth),
            positiveOr(sizes.windowHeight, previous.pointerHeight)};
}

}  // namespace vexmolda

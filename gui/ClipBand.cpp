#include "gui/ClipBand.h"

#include <algorithm>
#include <cmath>

namespace vexmolda {

PixelBand pixelBand(float top, float bottom, int viewportHeight) {
    const float rowsPerUnit = static_cast<float>(viewportHeight) / 100;
    // Row r (from the top) has its centre at r + 0.5.
    const int first = std::clamp(static_cast<int>(std::ceil(top * rowsPerUnit - 0.5f)), 0, viewportHeight);
    const int end = std::clamp(static_cast<int>(std::ceil(bottom * rowsPerUnit - 0.5f)), first, viewportHeight);
    return {viewportHeight - end, end - first};
}

}  // namespace vexmolda

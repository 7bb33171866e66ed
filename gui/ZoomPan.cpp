#include "gui/ZoomPan.h"

#include <algorithm>

namespace vexmolda {

ViewPoint drawingToScreen(const ZoomPan& view, ViewPoint origin, ViewPoint drawing) {
    return {50 + view.zoom * (origin.x + view.panX + drawing.x), 50 + view.zoom * (origin.y + view.panY + drawing.y)};
}

ViewPoint screenToDrawing(const ZoomPan& view, ViewPoint origin, ViewPoint screen) {
    return {(screen.x - 50) / view.zoom - (origin.x + view.panX), (screen.y - 50) / view.zoom - (origin.y + view.panY)};
}

void zoomAbout(ZoomPan& view, ViewPoint pointer, float delta) {
    // A fast upward right-button drag would otherwise give a zero or
    // negative factor and a view that can never come back.
    const float factor = std::max(1 + 0.1f * delta, 0.1f);
    const float before = view.zoom;
    view.zoom = std::clamp(before * factor, minimumZoom, maximumZoom);
    view.panX += (pointer.x - 50) * (1 / view.zoom - 1 / before);
    view.panY += (pointer.y - 50) * (1 / view.zoom - 1 / before);
}

void panBy(ZoomPan& view, float dx, float dy) {
    view.panX += dx / view.zoom;
    view.panY += dy / view.zoom;
}

ViewRect visibleDrawingRect(const ZoomPan& view, ViewPoint origin) {
    const ViewPoint topLeft = screenToDrawing(view, origin, {0, 0});
    const ViewPoint bottomRight = screenToDrawing(view, origin, {100, 100});
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

bool overlaps(const ViewRect& a, const ViewRect& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

ViewRect segmentBounds(ViewPoint from, ViewPoint to) {
    return {std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x), std::max(from.y, to.y)};
}

}  // namespace vexmolda

#pragma once
// The zoomable, pannable view of the graph windows, as plain arithmetic.

namespace vexmolda {

struct ViewPoint {
    float x;
    float y;
};

// A rectangle with left <= right and top <= bottom (y downwards).
struct ViewRect {
    float left;
    float top;
    float right;
    float bottom;
};

// Scale and offset of a drawing; a drawing point (gx, gy) lies at screen units
// 50 + zoom * (originX + panX + gx) and likewise in y, where the origin is the
// window's top-left corner.
struct ZoomPan {
    float zoom = 1;
    float panX = -50;
    float panY = -50;
};

// The smallest and largest scale a view can reach.
constexpr float minimumZoom = 1e-4f;
constexpr float maximumZoom = 1e4f;

ViewPoint drawingToScreen(const ZoomPan& view, ViewPoint origin, ViewPoint drawing);
ViewPoint screenToDrawing(const ZoomPan& view, ViewPoint origin, ViewPoint screen);

// Scales by 1 + 0.1 * delta about the pointer (screen units), so the drawing
// point under the pointer stays there. The factor never drops below 0.1.
void zoomAbout(ZoomPan& view, ViewPoint pointer, float delta);

// Moves the drawing by a pointer movement in screen units.
void panBy(ZoomPan& view, float dx, float dy);

// The whole 100 x 100 drawing area in drawing units.
ViewRect visibleDrawingRect(const ZoomPan& view, ViewPoint origin);

// True when the two rectangles share a point.
bool overlaps(const ViewRect& a, const ViewRect& b);

// The smallest rectangle holding the segment.
ViewRect segmentBounds(ViewPoint from, ViewPoint to);

}  // namespace vexmolda

#include <gtest/gtest.h>

#include <cmath>

#include "gui/ZoomPan.h"

namespace vexmolda {
namespace {

constexpr ViewPoint windowOrigin{2.65f, 0.1f};

TEST(ZoomPan, InitialViewPutsTheDrawingOriginAtTheWindowCorner) {
    const ZoomPan view;
    const ViewPoint corner = drawingToScreen(view, windowOrigin, {0, 0});
    EXPECT_NEAR(corner.x, 2.65f, 1e-5);
    EXPECT_NEAR(corner.y, 0.1f, 1e-5);
    const ViewPoint back = screenToDrawing(view, windowOrigin, corner);
    EXPECT_NEAR(back.x, 0, 1e-5);
    EXPECT_NEAR(back.y, 0, 1e-5);
}

TEST(ZoomPan, ZoomKeepsThePointUnderThePointer) {
    for (const float delta : {1.0f, -1.0f, 3.0f, -7.5f, 0.25f}) {
        ZoomPan view;
        view.panX = -20;
        view.panY = -70;
        const ViewPoint pointer{63, 21};
        const ViewPoint before = screenToDrawing(view, windowOrigin, pointer);
        zoomAbout(view, pointer, delta);
        EXPECT_FLOAT_EQ(view.zoom, 1 + 0.1f * delta);
        const ViewPoint after = screenToDrawing(view, windowOrigin, pointer);
        EXPECT_NEAR(after.x, before.x, 1e-3) << delta;
        EXPECT_NEAR(after.y, before.y, 1e-3) << delta;
    }
}

TEST(ZoomPan, OneNotchEnlargesByTenPercent) {
    ZoomPan view;
    zoomAbout(view, {50, 50}, 1);
    EXPECT_FLOAT_EQ(view.zoom, 1.1f);
    // About the centre the offset does not change.
    EXPECT_FLOAT_EQ(view.panX, -50);
    EXPECT_FLOAT_EQ(view.panY, -50);
    // Distances on screen grow by the factor.
    const ViewPoint a = drawingToScreen(view, windowOrigin, {0, 0});
    const ViewPoint b = drawingToScreen(view, windowOrigin, {10, 0});
    EXPECT_NEAR(b.x - a.x, 11, 1e-4);
}

TEST(ZoomPan, HugeNegativeStepNeverFlipsOrZeroesTheView) {
    ZoomPan view;
    zoomAbout(view, {30, 40}, -10);
    EXPECT_GT(view.zoom, 0);
    zoomAbout(view, {30, 40}, -250);
    EXPECT_GT(view.zoom, 0);
    EXPECT_FLOAT_EQ(view.zoom, 0.01f);
    for (int i = 0; i < 100; ++i) zoomAbout(view, {30, 40}, -9);
    EXPECT_FLOAT_EQ(view.zoom, minimumZoom);
    for (int i = 0; i < 100; ++i) zoomAbout(view, {30, 40}, 100);
    EXPECT_FLOAT_EQ(view.zoom, maximumZoom);
    EXPECT_TRUE(std::isfinite(view.panX));
    EXPECT_TRUE(std::isfinite(view.panY));
}

TEST(ZoomPan, PanMovesByScreenUnitsWhateverTheZoom) {
    ZoomPan view;
    view.zoom = 4;
    const ViewPoint before = drawingToScreen(view, windowOrigin, {5, 5});
    panBy(view, 8, -2);
    const ViewPoint after = drawingToScreen(view, windowOrigin, {5, 5});
    EXPECT_NEAR(after.x - before.x, 8, 1e-4);
    EXPECT_NEAR(after.y - before.y, -2, 1e-4);
}

TEST(ZoomPan, VisibleRectCoversTheDrawingArea) {
    ZoomPan view;
    view.zoom = 2;
    const ViewRect rect = visibleDrawingRect(view, windowOrigin);
    const ViewPoint topLeft = drawingToScreen(view, windowOrigin, {rect.left, rect.top});
    const ViewPoint bottomRight = drawingToScreen(view, windowOrigin, {rect.right, rect.bottom});
    EXPECT_NEAR(topLeft.x, 0, 1e-4);
    EXPECT_NEAR(topLeft.y, 0, 1e-4);
    EXPECT_NEAR(bottomRight.x, 100, 1e-4);
    EXPECT_NEAR(bottomRight.y, 100, 1e-4);
    EXPECT_NEAR(rect.right - rect.left, 50, 1e-4);
}

TEST(ZoomPan, OverlapIncludesTouchingEdges) {
    const ViewRect a{0, 0, 10, 10};
    EXPECT_TRUE(overlaps(a, {10, 10, 20, 20}));
    EXPECT_TRUE(overlaps(a, {2, 2, 3, 3}));
    EXPECT_FALSE(overlaps(a, {10.01f, 0, 20, 10}));
    EXPECT_FALSE(overlaps(a, {0, -5, 10, -0.01f}));
    const ViewRect line = segmentBounds({5, 9}, {1, 2});
    EXPECT_FLOAT_EQ(line.left, 1);
    EXPECT_FLOAT_EQ(line.top, 2);
    EXPECT_FLOAT_EQ(line.right, 5);
    EXPECT_FLOAT_EQ(line.bottom, 9);
}

}  // namespace
}  // namespace vexmolda

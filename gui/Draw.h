#pragma once
// Immediate-mode drawing in screen units (100 x 100, y downwards): the only
// place besides the font and the frame set-up that talks to GL.

#include <cstdint>

namespace vexmolda {

// A fill or line colour as three bytes.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

namespace draw {

void setColor(Rgb color);
// Colour components from 0 to 1.
void setColorF(float r, float g, float b);
// A filled quad given top-left, bottom-left, bottom-right, top-right.
void fillRect(float x, float y, float width, float height);
// A line loop around the rectangle in the current line width.
void strokeRect(float x, float y, float width, float height);
// One line segment.
void line(float x0, float y0, float x1, float y1);
void setLineWidth(float width);

// Batches: begin, any number of vertex calls, endBatch.
void beginLines();
void beginQuads();
void beginLineLoop();
void vertex(float x, float y);
void endBatch();

// 2-D texturing, which text needs and plain fills must not have.
void setTexturing(bool on);

// Model-view matrix stack.
void pushMatrix();
void popMatrix();
void translate(float x, float y);
// Turns by the angle in degrees so that positive angles rise to the right on screen.
void rotate(float degrees);

// Replaces the projection with a view of [-a, a] x [-a, a] (y downwards), a = 50 / zoom,
// then selects the model-view matrix; popViewProjection restores the previous one.
void pushViewProjection(float zoom);
void popViewProjection();

// Until endClip, draws only between top and bottom (screen units of the whole
// area, whatever the model-view matrix), across the whole width.
void beginClip(float top, float bottom);
void endClip();

}  // namespace draw
}  // namespace vexmolda

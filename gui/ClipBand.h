#pragma once
// The framebuffer rows a band of the drawing area covers: plain arithmetic
// for the scissor box, no GL.

namespace vexmolda {

// Rows counted from the framebuffer's bottom, as the scissor box counts them.
struct PixelBand {
    int bottom;
    int height;
};

// The rows whose centres lie between top and bottom (screen units, y
// downwards over viewportHeight rows): exactly the rows a fill of that band
// covers, so clipping to it changes nothing drawn inside the band.
PixelBand pixelBand(float top, float bottom, int viewportHeight);

}  // namespace vexmolda

#pragma once
// A tiny font for measuring tests: every glyph is 4 units high and 2 wide,
// except "W" (4 wide) and the space (1 wide); at size 2 that is 1, 2 and 0.5.

#include "gui/GlfFont.h"

namespace vexmolda::testing {

inline GlfFont syntheticFont() {
    GlfFont font;
    font.width = 16;
    font.height = 16;
    font.firstCode = 32;
    font.lastCode = 126;
    for (int code = font.firstCode; code <= font.lastCode; ++code) {
        const float dx = code == 'W' ? 4.0f : code == ' ' ? 1.0f : 2.0f;
        const float u = static_cast<float>(code - font.firstCode) / 100.0f;
        font.glyphs.push_back({dx, 4.0f, u, 0.25f, u + 0.01f, 0.5f});
    }
    return font;
}

}  // namespace vexmolda::testing

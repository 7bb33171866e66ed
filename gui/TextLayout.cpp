#include "gui/TextLayout.h"

#include <algorithm>
#include <cmath>

namespace vexmolda {

namespace {

// Width of one character; characters the font lacks have none.
float glyphWidth(const GlfFont& font, char character, float scale) {
    const GlfGlyph* glyph = font.glyph(character);
    return glyph ? glyph->dx * scale : 0.0f;
}

void placeGlyph(const GlfGlyph* glyph, float x, float y, float width, float size, std::vector<GlyphQuad>& quads) {
    if (!glyph) return;
    quads.push_back({x, y, x + width, y + size, glyph->tx1, glyph->ty1, glyph->tx2, glyph->ty2});
}

}  // namespace

float nextTabStop(float x, float tabWidth) { return tabWidth * (1 + std::trunc(x / tabWidth)); }

float measureText(const GlfFont& font, const std::string& text, float size) {
    const float scale = font.scaleFor(size);
    float w = 0;
    float widest = 0;
    for (char character : text) {
        if (character == '\n') {
            w = 0;
        } else if (character == '\t') {
            w = 2 * size * (1 + std::trunc(2 * w / size));
        } else {
            w += glyphWidth(font, character, scale);
            widest = std::max(widest, w);
        }
    }
    return widest;
}

float layoutText(const GlfFont& font, const std::string& text, float x, float y, float size, bool alignRight,
                 std::vector<GlyphQuad>& quads) {
    const float scale = font.scaleFor(size);
    const float tabWidth = 2 * size;
    if (alignRight) {
        float w = 0;
        float widest = 0;
        for (char character : text) {
            if (character == '\n') {
                w = 0;
            } else {
                w += glyphWidth(font, character, scale);
                widest = std::max(widest, w);
            }
        }
        x -= widest;
    }
    const float lineStart = x;
    float rightmost = x;
    for (char character : text) {
        if (character == '\n') {
            x = lineStart;
            y += size;
        } else if (character == '\t') {
            x = nextTabStop(x, tabWidth);
        } else {
            const GlfGlyph* glyph = font.glyph(character);
            const float width = glyph ? glyph->dx * scale : 0.0f;
            placeGlyph(glyph, x, y, width, size, quads);
            x += width;
            rightmost = std::max(rightmost, x);
        }
    }
    return rightmost - lineStart;
}

void wrapText(const GlfFont& font, std::string& text, float wrapWidth, float size) {
    const float scale = font.scaleFor(size);
    const float tabWidth = 2 * size;
    std::size_t lastBreak = 0;
    float w = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char character = text[i];
        if (character == '\n') {
            lastBreak = i;
            w = 0;
            ++i;
            continue;
        }
        if (character == ' ') {
            lastBreak = i;
        } else if (character == '\t') {
            lastBreak = i;
            w = nextTabStop(w, tabWidth);
        } else {
            w += glyphWidth(font, character, scale);
        }
        if (w > wrapWidth && lastBreak != 0 && text[lastBreak] != '\n') {
            text[lastBreak] = '\n';
            w = 0;
            i = lastBreak + 1;
            continue;
        }
        ++i;
    }
}

void layoutWrapped(const GlfFont& font, const std::string& text, float x, float y, float maxHeight, float size,
                   std::vector<GlyphQuad>& quads) {
    const float scale = font.scaleFor(size);
    const float tabWidth = 2 * size;
    const float lineStart = x;
    float bottom = size;
    for (char character : text) {
        if (character == '\n') {
            x = lineStart;
            y += size;
            bottom += size;
        } else if (character == '\t') {
            x = nextTabStop(x, tabWidth);
        } else {
            if (maxHeight > 0 && bottom > maxHeight) return;
            const GlfGlyph* glyph = font.glyph(character);
            const float width = glyph ? glyph->dx * scale : 0.0f;
            placeGlyph(glyph, x, y, width, size, quads);
            x += width;
        }
    }
}

}  // namespace vexmolda

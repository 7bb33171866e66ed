#include "gui/TextLayout.h"

#include <algorithm>
#include <cmath>

#include "gui/Utf8.h"

namespace vexmolda {

namespace {

// The characters of a text as one font at one size shows them: glyphs, and a
// placeholder box of the average glyph width for each character beyond ASCII,
// which the font has no glyphs for.
class FontGlyphs {
public:
    FontGlyphs(const GlfFont& font, float size) : font(font), scale(font.scaleFor(size)), size(size) {}

    // The character at position: its bytes, its glyph (none for a placeholder
    // or an invisible control character) and its width.
    struct Char {
        std::size_t bytes;
        const GlfGlyph* glyph;
        bool placeholder;
        float width;
    };
    Char at(const std::string& text, std::size_t position) {
        const char character = text[position];
        if (static_cast<unsigned char>(character) >= 0x80) {
            if (const GlfGlyph* glyph = font.glyph(character)) return {1, glyph, false, glyph->dx * scale};
            return {utf8Length(text, position), nullptr, true, placeholderWidth()};
        }
        const GlfGlyph* glyph = font.glyph(character);
        return {1, glyph, false, glyph ? glyph->dx * scale : 0.0f};
    }

    // Appends the character's quad at (x, y).
    void place(const Char& character, float x, float y, std::vector<GlyphQuad>& quads) const {
        if (character.placeholder) {
            quads.push_back({x, y, x + character.width, y + size, 0, 0, 0, 0, true});
        } else if (character.glyph) {
            const GlfGlyph& glyph = *character.glyph;
            quads.push_back({x, y, x + character.width, y + size, glyph.tx1, glyph.ty1, glyph.tx2, glyph.ty2});
        }
    }

private:
    float placeholderWidth() {
        if (average < 0) average = averageAdvance(font) * scale;
        return average;
    }

    const GlfFont& font;
    float scale;
    float size;
    float average = -1;
};

}  // namespace

float averageAdvance(const GlfFont& font) {
    if (font.glyphs.empty()) return 0;
    double sum = 0;
    for (const GlfGlyph& glyph : font.glyphs) sum += glyph.dx;
    return static_cast<float>(sum / static_cast<double>(font.glyphs.size()));
}

float nextTabStop(float x, float tabWidth) { return tabWidth * (1 + std::trunc(x / tabWidth)); }

float measureText(const GlfFont& font, const std::string& text, float size) {
    FontGlyphs glyphs(font, size);
    float w = 0;
    float widest = 0;
    for (std::size_t i = 0; i < text.size();) {
        const char character = text[i];
        if (character == '\n') {
            w = 0;
            ++i;
        } else if (character == '\t') {
            w = 2 * size * (1 + std::trunc(2 * w / size));
            ++i;
        } else {
            const FontGlyphs::Char shown = glyphs.at(text, i);
            w += shown.width;
            widest = std::max(widest, w);
            i += shown.bytes;
        }
    }
    return widest;
}

float layoutText(const GlfFont& font, const std::string& text, float x, float y, float size, bool alignRight,
                 std::vector<GlyphQuad>& quads) {
    FontGlyphs glyphs(font, size);
    const float tabWidth = 2 * size;
    if (alignRight) {
        float w = 0;
        float widest = 0;
        for (std::size_t i = 0; i < text.size();) {
            if (text[i] == '\n') {
                w = 0;
                ++i;
            } else {
                const FontGlyphs::Char shown = glyphs.at(text, i);
                w += shown.width;
                widest = std::max(widest, w);
                i += shown.bytes;
            }
        }
        x -= widest;
    }
    const float lineStart = x;
    float rightmost = x;
    for (std::size_t i = 0; i < text.size();) {
        const char character = text[i];
        if (character == '\n') {
            x = lineStart;
            y += size;
            ++i;
        } else if (character == '\t') {
            x = nextTabStop(x, tabWidth);
            ++i;
        } else {
            const FontGlyphs::Char shown = glyphs.at(text, i);
            glyphs.place(shown, x, y, quads);
            x += shown.width;
            rightmost = std::max(rightmost, x);
            i += shown.bytes;
        }
    }
    return rightmost - lineStart;
}

namespace {

// Breaks lines as wrapText does; with a column origin, each line's continuation
// rows start with the tabs that reach its first tab stop as drawn from there.
void breakLines(const GlfFont& font, std::string& text, float wrapWidth, float size, const float* columnX) {
    FontGlyphs glyphs(font, size);
    const float tabWidth = 2 * size;
    std::size_t lastBreak = 0;
    // The line's first tab stop, drawn from columnX: tabs and offset of its continuation rows.
    std::size_t hangTabs = 0;
    float hangOffset = 0;
    float w = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char character = text[i];
        std::size_t bytes = 1;
        if (character == '\n') {
            lastBreak = i;
            hangTabs = 0;
            w = 0;
            ++i;
            continue;
        }
        if (character == ' ') {
            lastBreak = i;
        } else if (character == '\t') {
            if (columnX && hangTabs == 0) {
                // Drawn tab stops count from the origin: from the column's start the
                // first tab reaches nextTabStop(columnX), each further one a tab width on.
                const float stop = nextTabStop(*columnX + w, tabWidth);
                hangTabs = 1 + static_cast<std::size_t>(std::lround((stop - nextTabStop(*columnX, tabWidth)) / tabWidth));
                hangOffset = stop - *columnX;
            }
            lastBreak = i;
            w = nextTabStop(w, tabWidth);
        } else {
            const FontGlyphs::Char shown = glyphs.at(text, i);
            w += shown.width;
            bytes = shown.bytes;
        }
        if (w > wrapWidth && lastBreak != 0 && text[lastBreak] != '\n') {
            text[lastBreak] = '\n';
            w = 0;
            i = lastBreak + 1;
            if (hangTabs > 0) {
                text.insert(i, hangTabs, '\t');
                i += hangTabs;
                w = hangOffset;
            }
            continue;
        }
        i += bytes;
    }
}

}  // namespace

void wrapText(const GlfFont& font, std::string& text, float wrapWidth, float size) {
    breakLines(font, text, wrapWidth, size, nullptr);
}

void wrapColumn(const GlfFont& font, std::string& text, float x, float width, float size) {
    breakLines(font, text, width, size, &x);
}

namespace {

// A line's width as the wrapping pass counts it: spaces add nothing, tabs go
// to the next stop; only a line that could not be broken exceeds the wrap width.
float wrappedLineWidth(const GlfFont& font, const std::string& line, float size) {
    FontGlyphs glyphs(font, size);
    float w = 0;
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == ' ') {
            ++i;
        } else if (line[i] == '\t') {
            w = nextTabStop(w, 2 * size);
            ++i;
        } else {
            const FontGlyphs::Char shown = glyphs.at(line, i);
            w += shown.width;
            i += std::max<std::size_t>(1, shown.bytes);
        }
    }
    return w;
}

}  // namespace

void cutLongLines(const GlfFont& font, std::string& text, float width, float size) {
    const std::string ellipsis = "...";
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        if (wrappedLineWidth(font, line, size) <= width) {
            result += line;
        } else {
            // The longest run of whole characters that leaves room for the dots.
            FontGlyphs glyphs(font, size);
            const float room = width - wrappedLineWidth(font, ellipsis, size);
            std::size_t kept = 0;
            float w = 0;
            for (std::size_t next = 0; next < line.size();) {
                if (line[next] == ' ') {
                    ++next;
                } else if (line[next] == '\t') {
                    w = nextTabStop(w, 2 * size);
                    ++next;
                } else {
                    const FontGlyphs::Char shown = glyphs.at(line, next);
                    w += shown.width;
                    next += std::max<std::size_t>(1, shown.bytes);
                }
                if (w > room) break;
                kept = next;
            }
            result += line.substr(0, kept) + ellipsis;
        }
        if (end == text.size()) break;
        result += '\n';
        start = end + 1;
    }
    text = std::move(result);
}

void layoutWrapped(const GlfFont& font, const std::string& text, float x, float y, float maxHeight, float size,
                   std::vector<GlyphQuad>& quads) {
    FontGlyphs glyphs(font, size);
    const float tabWidth = 2 * size;
    const float lineStart = x;
    float bottom = size;
    for (std::size_t i = 0; i < text.size();) {
        const char character = text[i];
        if (character == '\n') {
            x = lineStart;
            y += size;
            bottom += size;
            ++i;
        } else if (character == '\t') {
            x = nextTabStop(x, tabWidth);
            ++i;
        } else {
            if (maxHeight > 0 && bottom > maxHeight) return;
            const FontGlyphs::Char shown = glyphs.at(text, i);
            glyphs.place(shown, x, y, quads);
            x += shown.width;
            i += shown.bytes;
        }
    }
}

void layoutColumn(const GlfFont& font, std::string text, float x, float y, float width, float maxHeight, float size,
                  std::vector<GlyphQuad>& quads) {
    wrapColumn(font, text, x, width, size);
    cutLongLines(font, text, width, size);
    layoutWrapped(font, text, x, y, maxHeight, size, quads);
}

}  // namespace vexmolda

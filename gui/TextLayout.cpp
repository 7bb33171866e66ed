#include "gui/TextLayout.h"

#include <algorithm>
#include <cassert>
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

// A pen walking a text's characters at one font size; each step moves it:
// a line break back to the line's start and one line down, a tab to the next
// stop by the walk's tab rule, any other character by its width. The text is
// read through its reference at each step, so a caller may rewrite it ahead
// of the pen and resume there.
class GlyphWalk {
public:
    // How a tab moves the pen: to the next drawn stop, by the measuring rule,
    // or as the font's own glyph for it.
    enum class Tabs { toStop, measured, asGlyph };
    // What a step passed over.
    enum class Kind { lineBreak, tab, space, glyph };
    // One step: the character's kind, its position and its glyph, and the pen
    // where the step began.
    struct Step {
        Kind kind;
        std::size_t position;
        FontGlyphs::Char shown;
        float x;
        float y;
    };

    // Starts at the text's first character with the pen at (lineStart, y);
    // with spacesAdvance false a space is a step of no width (as wrapping counts it).
    GlyphWalk(FontGlyphs& glyphs, const std::string& text, float lineStart, float y, float size, Tabs tabs,
              bool spacesAdvance)
        : glyphs(glyphs), text(text), lineStart(lineStart), size(size), tabs(tabs), spacesAdvance(spacesAdvance),
          penX(lineStart), penY(y) {}

    bool done() const { return position >= text.size(); }
    // Takes one step; done() must be false.
    Step next() {
        assert(position < text.size());
        const char character = text[position];
        Step step{Kind::glyph, position, {1, nullptr, false, 0}, penX, penY};
        if (character == '\n') {
            step.kind = Kind::lineBreak;
            penX = lineStart;
            penY += size;
        } else if (character == '\t' && tabs != Tabs::asGlyph) {
            step.kind = Kind::tab;
            penX = tabs == Tabs::toStop ? nextTabStop(penX, 2 * size) : 2 * size * (1 + std::trunc(2 * penX / size));
        } else if (character == ' ' && !spacesAdvance) {
            step.kind = Kind::space;
        } else {
            step.shown = glyphs.at(text, position);
            penX += step.shown.width;
        }
        position += std::max<std::size_t>(1, step.shown.bytes);
        return step;
    }
    // Goes on from a position with the pen at x on the current line.
    void resumeAt(std::size_t nextPosition, float x) {
        position = nextPosition;
        penX = x;
    }

    // The position of the next step.
    std::size_t at() const { return position; }
    // The pen after the last step.
    float x() const { return penX; }

private:
    FontGlyphs& glyphs;
    const std::string& text;
    float lineStart;
    float size;
    Tabs tabs;
    bool spacesAdvance;
    std::size_t position = 0;
    float penX;
    float penY;
};

// The widest line's width for a walk's rules.
float widestLine(const GlfFont& font, const std::string& text, float size, GlyphWalk::Tabs tabs) {
    FontGlyphs glyphs(font, size);
    GlyphWalk walk(glyphs, text, 0, 0, size, tabs, true);
    float widest = 0;
    while (!walk.done()) {
        if (walk.next().kind == GlyphWalk::Kind::glyph) widest = std::max(widest, walk.x());
    }
    return widest;
}

}  // namespace

float averageAdvance(const GlfFont& font) {
    if (font.glyphs.empty()) return 0;
    double sum = 0;
    for (const GlfGlyph& glyph : font.glyphs) sum += glyph.dx;
    return static_cast<float>(sum / static_cast<double>(font.glyphs.size()));
}

float nextTabStop(float x, float tabWidth) { return tabWidth * (1 + std::trunc(x / tabWidth)); }

float measureText(const GlfFont& font, const std::string& text, float size) {
    return widestLine(font, text, size, GlyphWalk::Tabs::measured);
}

float layoutText(const GlfFont& font, const std::string& text, float x, float y, float size, bool alignRight,
                 std::vector<GlyphQuad>& quads) {
    if (alignRight) x -= widestLine(font, text, size, GlyphWalk::Tabs::asGlyph);
    FontGlyphs glyphs(font, size);
    GlyphWalk walk(glyphs, text, x, y, size, GlyphWalk::Tabs::toStop, true);
    float rightmost = x;
    while (!walk.done()) {
        const GlyphWalk::Step step = walk.next();
        if (step.kind != GlyphWalk::Kind::glyph) continue;
        glyphs.place(step.shown, step.x, step.y, quads);
        rightmost = std::max(rightmost, walk.x());
    }
    return rightmost - x;
}

namespace {

// Breaks lines as wrapText does; with a column origin, each line's continuation
// rows start with the tabs that reach its first tab stop as drawn from there.
void breakLines(const GlfFont& font, std::string& text, float wrapWidth, float size, const float* columnX) {
    FontGlyphs glyphs(font, size);
    const float tabWidth = 2 * size;
    GlyphWalk walk(glyphs, text, 0, 0, size, GlyphWalk::Tabs::toStop, false);
    std::size_t lastBreak = 0;
    // The line's first tab stop, drawn from columnX: tabs and offset of its continuation rows.
    std::size_t hangTabs = 0;
    float hangOffset = 0;
    while (!walk.done()) {
        const GlyphWalk::Step step = walk.next();
        if (step.kind == GlyphWalk::Kind::lineBreak) {
            lastBreak = step.position;
            hangTabs = 0;
            continue;
        }
        if (step.kind == GlyphWalk::Kind::space) {
            lastBreak = step.position;
        } else if (step.kind == GlyphWalk::Kind::tab) {
            if (columnX && hangTabs == 0) {
                // Drawn tab stops count from the origin: from the column's start the
                // first tab reaches nextTabStop(columnX), each further one a tab width on.
                const float stop = nextTabStop(*columnX + step.x, tabWidth);
                hangTabs = 1 + static_cast<std::size_t>(std::lround((stop - nextTabStop(*columnX, tabWidth)) / tabWidth));
                hangOffset = stop - *columnX;
            }
            lastBreak = step.position;
        }
        if (walk.x() > wrapWidth && lastBreak != 0 && text[lastBreak] != '\n') {
            text[lastBreak] = '\n';
            std::size_t resume = lastBreak + 1;
            if (hangTabs > 0) text.insert(resume, hangTabs, '\t');
            walk.resumeAt(resume + hangTabs, hangTabs > 0 ? hangOffset : 0);
        }
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

// How much of a line the wrapping pass fits within room (spaces add nothing,
// tabs go to the next stop): the length of the longest run of whole
// characters, and the whole line's width.
struct LineFit {
    std::size_t kept = 0;
    float width = 0;
};
LineFit fitLine(const GlfFont& font, const std::string& line, float size, float room) {
    FontGlyphs glyphs(font, size);
    GlyphWalk walk(glyphs, line, 0, 0, size, GlyphWalk::Tabs::toStop, false);
    LineFit fit;
    bool fits = true;
    while (!walk.done()) {
        walk.next();
        if (walk.x() > room) fits = false;
        if (fits) fit.kept = walk.at();
    }
    fit.width = walk.x();
    return fit;
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
        if (fitLine(font, line, size, width).width <= width) {
            result += line;
        } else {
            // The longest run of whole characters that leaves room for the dots.
            const float room = width - fitLine(font, ellipsis, size, 0).width;
            result += line.substr(0, fitLine(font, line, size, room).kept) + ellipsis;
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
    GlyphWalk walk(glyphs, text, x, y, size, GlyphWalk::Tabs::toStop, true);
    float bottom = size;
    while (!walk.done()) {
        const GlyphWalk::Step step = walk.next();
        if (step.kind == GlyphWalk::Kind::lineBreak) bottom += size;
        if (step.kind != GlyphWalk::Kind::glyph) continue;
        if (maxHeight > 0 && bottom > maxHeight) return;
        glyphs.place(step.shown, step.x, step.y, quads);
    }
}

void layoutColumn(const GlfFont& font, std::string text, float x, float y, float width, float maxHeight, float size,
                  std::vector<GlyphQuad>& quads) {
    wrapColumn(font, text, x, width, size);
    cutLongLines(font, text, width, size);
    layoutWrapped(font, text, x, y, maxHeight, size, quads);
}

}  // namespace vexmolda

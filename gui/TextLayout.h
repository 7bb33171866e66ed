#pragma once
// Measuring, wrapping and placing text with a font's glyph table: plain
// arithmetic, so it can be checked without a GL context.

#include <string>
#include <vector>

#include "gui/GlfFont.h"

namespace vexmolda {

// One glyph to draw: its rectangle in screen units and its texture corners,
// or the hollow box that stands for a character the font lacks.
struct GlyphQuad {
    float x0, y0, x1, y1;
    float tx1, ty1, tx2, ty2;
    bool placeholder = false;
};

// The mean advance width of the font's glyphs, in font units: the width of
// the box drawn for each UTF-8 character beyond ASCII.
float averageAdvance(const GlfFont& font);

// The widest line's width, tabs measured by the measuring rule.
float measureText(const GlfFont& font, const std::string& text, float size);

// Places the text at (x, y); right alignment makes the widest line end at x.
// Appends the quads and returns the width of the widest line placed.
float layoutText(const GlfFont& font, const std::string& text, float x, float y, float size, bool alignRight,
                 std::vector<GlyphQuad>& quads);

// Turns spaces and tabs into line breaks so that lines fit the width where a
// break is possible; a word wider than the width stays whole.
void wrapText(const GlfFont& font, std::string& text, float wrapWidth, float size);
// As wrapText for a column drawn at x, but a line's continuation rows start
// with tabs that put them beside its first tab stop (a label's list keeps to its place).
void wrapColumn(const GlfFont& font, std::string& text, float x, float width, float size);

// Cuts each line of an already wrapped text that is wider than width (a word
// too long to wrap) so that it ends in "..." within width.
void cutLongLines(const GlfFont& font, std::string& text, float width, float size);

// Places already wrapped text; with maxHeight > 0 only lines whose bottom lies
// within maxHeight of y are placed.
void layoutWrapped(const GlfFont& font, const std::string& text, float x, float y, float maxHeight, float size,
                   std::vector<GlyphQuad>& quads);

// Wraps the text with wrapColumn, cuts what cannot wrap, and places it at
// (x, y) as layoutWrapped does.
void layoutColumn(const GlfFont& font, std::string text, float x, float y, float width, float maxHeight, float size,
                  std::vector<GlyphQuad>& quads);

// The next tab stop after x for tab width tabWidth, counted from the origin.
float nextTabStop(float x, float tabWidth);

}  // namespace vexmolda

#pragma once
// The window's one bitmap font: loading it and measuring and drawing text in
// screen units. The caller sets the colour and enables texturing.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "gui/GlfFont.h"

namespace vexmolda {

// The name of the font file, read from the working directory or the installed data.
inline constexpr const char* fontFileName = "verdanasmall.glf";
// The size of the windows' body text and of the command area, in screen units.
inline constexpr float bodyTextSize = 2;

// Reads the font file at path and makes its texture; needs a current GL context.
// A missing, truncated or malformed file leaves the font unloaded and
// gives the message line that says so; empty when the font loaded.
std::string loadFont(const std::string& path, const std::vector<std::filesystem::path>& searched = {});
// Reads and checks a font file without GL; none, with the message line in
// problem, when it is missing or unusable. A missing file is said to be in
// none of the searched directories (its own directory when none is given).
std::optional<GlfFile> readFontFile(const std::filesystem::path& file, std::string& problem,
                                    const std::vector<std::filesystem::path>& searched = {});
// True once a load has succeeded.
bool fontLoaded();
// The loaded font's header and glyph table.
const GlfFont& currentFont();
// Installs a glyph table without a texture, so measuring works without GL.
void useFontMetrics(GlfFont font);

// The width of the widest line; -1 when no font is loaded.
float textWidth(std::string text, float size);
// Draws the text; returns the width of the widest line drawn, -1 when no font is loaded.
float drawText(std::string text, float x, float y, float size, bool alignRight);
// Draws the text wrapped at wrapWidth; maxHeight > 0 limits it to the whole lines that fit.
void drawTextWrapped(std::string text, float x, float y, float wrapWidth, float maxHeight, float size);
// As drawTextWrapped, but a line's continuation rows stay beside its first
// tab stop, and a line that cannot wrap is cut to end in "..." at the
// column's edge, so it never runs into the next column.
void drawTextInColumn(std::string text, float x, float y, float width, float maxHeight, float size);
// Rows of the text wrapped as drawTextInColumn draws it at x; 0 without a font.
std::size_t columnRows(std::string text, float x, float width, float size);

}  // namespace vexmolda

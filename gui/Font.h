#pragma once
// The window's one bitmap font: loading it and measuring and drawing text in
// screen units. The caller sets the colour and enables texturing.

#include <string>

#include "gui/GlfFont.h"

namespace vexmolda {

// The name of the font file, read from the working directory or the installed data.
inline constexpr const char* fontFileName = "verdanasmall.glf";

// Reads the font file at path and makes its texture; needs a current GL context.
// A missing, truncated or malformed file leaves the font unloaded.
void loadFont(const std::string& path);
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

}  // namespace vexmolda

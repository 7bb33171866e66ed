#pragma once
// The bitmap font's data: the .glf file layout, read and written without GL.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vexmolda {

// One character's metrics in font units and its place in the atlas.
struct GlfGlyph {
    float dx = 0;   // advance width
    float dy = 0;   // height
    float tx1 = 0;  // texture coordinates of the top-left corner
    float ty1 = 0;
    float tx2 = 0;  // texture coordinates of the bottom-right corner
    float ty2 = 0;
};

// Header values and glyph table of a font; the texels live only in the texture.
struct GlfFont {
    std::int32_t textureName = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t firstCode = 0;
    std::int32_t lastCode = -1;
    std::vector<GlfGlyph> glyphs;

    // The glyph of a character looked up as a signed byte; none outside the table.
    const GlfGlyph* glyph(char character) const;
    // Drawing scale for a line height: size over the height of glyph 0.
    float scaleFor(float size) const;
};

// A whole font file: the font and its luminance-alpha texels, row after row.
struct GlfFile {
    GlfFont font;
    std::vector<std::uint8_t> texels;
};

// Byte sizes of the fixed parts of the layout.
constexpr std::size_t glfHeaderBytes = 24;
constexpr std::size_t glfGlyphBytes = 24;

// Reads a file's bytes; none when they are truncated or do not make a usable font.
std::optional<GlfFile> parseGlf(const std::vector<std::uint8_t>& bytes);
// The bytes of a file in the layout parseGlf reads.
std::vector<std::uint8_t> serializeGlf(const GlfFile& file);

}  // namespace vexmolda

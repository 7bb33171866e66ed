// Renders an outline font through FreeType into the window's bitmap font file.
//
//   vexmolda-glf-maker FONT.ttf OUT.glf [LINE_PIXELS [WIDTH_PER_HEIGHT]]
//
// Every glyph cell is LINE_PIXELS texels high (12 fits a size-2 line in a
// 600-pixel-high window) and its advance wide. Screen units are not square in
// an 800 x 600 window, so advances are stored multiplied by WIDTH_PER_HEIGHT
// (600 / 800 = 0.75): then one texel lands on one pixel both ways and the
// letters keep their shapes.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gui/GlfFont.h"

namespace {

constexpr int firstCode = 32;
constexpr int lastCode = 126;
constexpr int atlasWidth = 256;
constexpr int cellGap = 1;

struct RenderedGlyph {
    int advance = 0;
    int left = 0;
    int top = 0;
    int rows = 0;
    int columns = 0;
    std::vector<unsigned char> coverage;
};

bool renderAll(FT_Face face, int pixelSize, std::vector<RenderedGlyph>& glyphs) {
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize))) return false;
    glyphs.clear();
    for (int code = firstCode; code <= lastCode; ++code) {
        if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL)) return false;
        const FT_GlyphSlot slot = face->glyph;
        RenderedGlyph glyph;
        glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.rows = static_cast<int>(slot->bitmap.rows);
        glyph.columns = static_cast<int>(slot->bitmap.width);
        glyph.coverage.resize(static_cast<std::size_t>(glyph.rows * glyph.columns));
        for (int row = 0; row < glyph.rows; ++row)
            for (int column = 0; column < glyph.columns; ++column)
                glyph.coverage[static_cast<std::size_t>(row * glyph.columns + column)] =
                    slot->bitmap.buffer[row * slot->bitmap.pitch + column];
        glyphs.push_back(std::move(glyph));
    }
    return true;
}

// Rows above and below the baseline that the glyphs need.
void extent(const std::vector<RenderedGlyph>& glyphs, int& ascent, int& descent) {
    ascent = 0;
    descent = 0;
    for (const RenderedGlyph& glyph : glyphs) {
        if (glyph.rows == 0) continue;
        ascent = std::max(ascent, glyph.top);
        descent = std::max(descent, glyph.rows - glyph.top);
    }
}

int nextPowerOfTwo(int value) {
    int power = 1;
    while (power < value) power *= 2;
    return power;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FONT.ttf OUT.glf [LINE_PIXELS [WIDTH_PER_HEIGHT]]\n", argv[0]);
        return 2;
    }
    const std::string fontPath = argv[1];
    const std::string outPath = argv[2];
    const int linePixels = argc > 3 ? std::atoi(argv[3]) : 12;
    const double widthPerHeight = argc > 4 ? std::atof(argv[4]) : 0.75;
    if (linePixels < 4 || linePixels > 256 || !(widthPerHeight > 0)) {
        std::fprintf(stderr, "line pixels must lie in 4..256 and the width factor be positive\n");
        return 2;
    }

    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) || FT_New_Face(library, fontPath.c_str(), 0, &face)) {
        std::fprintf(stderr, "cannot read the font %s\n", fontPath.c_str());
        return 1;
    }

    // The largest size whose letters, descenders included, fit the line.
    std::vector<RenderedGlyph> glyphs;
    int pixelSize = linePixels;
    int ascent = 0, descent = 0;
    for (; pixelSize > 1; --pixelSize) {
        if (!renderAll(face, pixelSize, glyphs)) {
            std::fprintf(stderr, "cannot render %s at %d pixels\n", fontPath.c_str(), pixelSize);
            return 1;
        }
        extent(glyphs, ascent, descent);
        if (ascent + descent <= linePixels) break;
    }
    const int baseline = ascent + (linePixels - ascent - descent) / 2;

    // Cells in rows across a fixed-width atlas, a transparent gap around each.
    std::vector<int> cellX(glyphs.size()), cellY(glyphs.size());
    int x = cellGap, y = cellGap;
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const int width = std::max(glyphs[i].advance, 1);
        if (x + width + cellGap > atlasWidth) {
            x = cellGap;
            y += linePixels + cellGap;
        }
        cellX[i] = x;
        cellY[i] = y;
        x += width + cellGap;
    }
    const int atlasHeight = nextPowerOfTwo(y + linePixels + cellGap);

    vexmolda::GlfFile file;
    file.font.width = atlasWidth;
    file.font.height = atlasHeight;
    file.font.firstCode = firstCode;
    file.font.lastCode = lastCode;
    // White everywhere; the coverage is the alpha, so the drawing colour shows through.
    file.texels.assign(static_cast<std::size_t>(atlasWidth * atlasHeight * 2), 0);
    for (std::size_t i = 0; i < file.texels.size(); i += 2) file.texels[i] = 255;

    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const RenderedGlyph& glyph = glyphs[i];
        const int width = std::max(glyph.advance, 1);
        // A glyph that overhangs its advance is shifted into its cell rather than cut.
        const int shift = std::clamp(glyph.left, 0, std::max(0, width - glyph.columns));
        for (int row = 0; row < glyph.rows; ++row) {
            const int cellRow = baseline - glyph.top + row;
            if (cellRow < 0 || cellRow >= linePixels) continue;
            for (int column = 0; column < glyph.columns; ++column) {
                const int cellColumn = shift + column;
                if (cellColumn >= width) continue;
                const std::size_t texel =
                    static_cast<std::size_t>((cellY[i] + cellRow) * atlasWidth + cellX[i] + cellColumn) * 2;
                file.texels[texel + 1] = std::max(file.texels[texel + 1],
                                                  glyph.coverage[static_cast<std::size_t>(row * glyph.columns + column)]);
            }
        }
        vexmolda::GlfGlyph entry;
        entry.dx = static_cast<float>(glyph.advance * widthPerHeight);
        entry.dy = static_cast<float>(linePixels);
        entry.tx1 = static_cast<float>(cellX[i]) / atlasWidth;
        entry.ty1 = static_cast<float>(cellY[i]) / atlasHeight;
        entry.tx2 = static_cast<float>(cellX[i] + width) / atlasWidth;
        entry.ty2 = static_cast<float>(cellY[i] + linePixels) / atlasHeight;
        file.font.glyphs.push_back(entry);
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);

    const std::vector<std::uint8_t> bytes = vexmolda::serializeGlf(file);
    const std::string partPath = outPath + ".part";
    std::FILE* out = std::fopen(partPath.c_str(), "wb");
    if (!out || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || std::fclose(out) != 0) {
        std::fprintf(stderr, "cannot write %s\n", partPath.c_str());
        return 1;
    }
    // Renamed into place, so a reader never sees half a file.
    if (std::rename(partPath.c_str(), outPath.c_str()) != 0) {
        std::fprintf(stderr, "cannot rename %s to %s\n", partPath.c_str(), outPath.c_str());
        return 1;
    }
    std::printf("%s: %d-pixel lines from %d-pixel %s, atlas %d x %d\n", outPath.c_str(), linePixels, pixelSize,
                fontPath.c_str(), atlasWidth, atlasHeight);
    return 0;
}

#include "gui/GlfFont.h"

#include <cmath>
#include <cstring>

namespace vexmolda {

namespace {

// The file is little-endian whatever the machine.
std::int32_t readInt32(const std::uint8_t* at) {
    const std::uint32_t value = std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 | std::uint32_t(at[2]) << 16 |
                                std::uint32_t(at[3]) << 24;
    return static_cast<std::int32_t>(value);
}

float readFloat(const std::uint8_t* at) {
    const std::int32_t bits = readInt32(at);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void writeInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(bits >> shift));
}

void writeFloat(std::vector<std::uint8_t>& out, float value) {
    std::int32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    writeInt32(out, bits);
}

// Bounds that keep a damaged header from asking for absurd allocations.
constexpr std::int64_t maxTextureSide = 16384;
constexpr std::int64_t maxGlyphCount = 65536;

}  // namespace

const GlfGlyph* GlfFont::glyph(char character) const {
    const std::int64_t index = std::int64_t(static_cast<signed char>(character)) - firstCode;
    if (index < 0 || index >= static_cast<std::int64_t>(glyphs.size())) return nullptr;
    return &glyphs[static_cast<std::size_t>(index)];
}

float GlfFont::scaleFor(float size) const { return glyphs.empty() ? 0.0f : size / glyphs[0].dy; }

std::optional<GlfFile> parseGlf(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < glfHeaderBytes) return std::nullopt;
    GlfFile file;
    GlfFont& font = file.font;
    font.textureName = readInt32(&bytes[0]);
    font.width = readInt32(&bytes[4]);
    font.height = readInt32(&bytes[8]);
    font.firstCode = readInt32(&bytes[12]);
    font.lastCode = readInt32(&bytes[16]);
    if (font.width <= 0 || font.height <= 0 || font.width > maxTextureSide || font.height > maxTextureSide)
        return std::nullopt;
    const std::int64_t glyphCount = std::int64_t(font.lastCode) - font.firstCode + 1;
    if (glyphCount < 1 || glyphCount > maxGlyphCount) return std::nullopt;
    const std::size_t tableBytes = static_cast<std::size_t>(glyphCount) * glfGlyphBytes;
    const std::size_t texelBytes = static_cast<std::size_t>(font.width) * static_cast<std::size_t>(font.height) * 2;
    if (bytes.size() < glfHeaderBytes + tableBytes + texelBytes) return std::nullopt;

    font.glyphs.resize(static_cast<std::size_t>(glyphCount));
    const std::uint8_t* at = &bytes[glfHeaderBytes];
    for (GlfGlyph& glyph : font.glyphs) {
        glyph.dx = readFloat(at);
        glyph.dy = readFloat(at + 4);
        glyph.tx1 = readFloat(at + 8);
        glyph.ty1 = readFloat(at + 12);
        glyph.tx2 = readFloat(at + 16);
        glyph.ty2 = readFloat(at + 20);
        at += glfGlyphBytes;
        if (!std::isfinite(glyph.dx) || !std::isfinite(glyph.dy)) return std::nullopt;
    }
    // Every size is divided by the first glyph's height.
    if (!(font.glyphs[0].dy > 0)) return std::nullopt;
    file.texels.assign(at, at + texelBytes);
    return file;
}

std::vector<std::uint8_t> serializeGlf(const GlfFile& file) {
    const GlfFont& font = file.font;
    std::vector<std::uint8_t> out;
    out.reserve(glfHeaderBytes + font.glyphs.size() * glfGlyphBytes + file.texels.size());
    writeInt32(out, font.textureName);
    writeInt32(out, font.width);
    writeInt32(out, font.height);
    writeInt32(out, font.firstCode);
    writeInt32(out, font.lastCode);
    writeInt32(out, 0);
    for (const GlfGlyph& glyph : font.glyphs) {
        writeFloat(out, glyph.dx);
        writeFloat(out, glyph.dy);
        writeFloat(out, glyph.tx1);
        writeFloat(out, glyph.ty1);
        writeFloat(out, glyph.tx2);
        writeFloat(out, glyph.ty2);
    }
    out.insert(out.end(), file.texels.begin(), file.texels.end());
    return out;
}

}  // namespace vexmolda

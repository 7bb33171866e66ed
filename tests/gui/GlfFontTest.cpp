#include "gui/GlfFont.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "SyntheticFont.h"
#include "gui/Font.h"

namespace vexmolda {
namespace {

GlfFile smallFile() {
    GlfFile file;
    file.font = testing::syntheticFont();
    file.font.width = 4;
    file.font.height = 2;
    file.texels.assign(4 * 2 * 2, 0);
    for (std::size_t i = 0; i < file.texels.size(); ++i) file.texels[i] = static_cast<std::uint8_t>(i * 7);
    return file;
}

TEST(GlfFile, LayoutIsHeaderGlyphTableThenTexels) {
    const GlfFile file = smallFile();
    const std::vector<std::uint8_t> bytes = serializeGlf(file);
    ASSERT_EQ(bytes.size(), 24u + 95u * 24u + 16u);
    // Little-endian header: width 4 at offset 4, first code 32 at 12, last 126 at 16.
    EXPECT_EQ(bytes[4], 4);
    EXPECT_EQ(bytes[5], 0);
    EXPECT_EQ(bytes[12], 32);
    EXPECT_EQ(bytes[16], 126);
    // Glyph 0's dy (4.0f = 0x40800000) is the second float of the table.
    EXPECT_EQ(bytes[24 + 4 + 3], 0x40);
    EXPECT_EQ(bytes[24 + 4 + 2], 0x80);
    EXPECT_EQ(bytes[bytes.size() - 1], 15 * 7);
}

TEST(GlfFile, ReadsBackWhatWasWritten) {
    const GlfFile file = smallFile();
    const std::optional<GlfFile> read = parseGlf(serializeGlf(file));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->font.width, 4);
    EXPECT_EQ(read->font.height, 2);
    EXPECT_EQ(read->font.firstCode, 32);
    EXPECT_EQ(read->font.lastCode, 126);
    ASSERT_EQ(read->font.glyphs.size(), 95u);
    EXPECT_FLOAT_EQ(read->font.glyphs['W' - 32].dx, 4);
    EXPECT_FLOAT_EQ(read->font.glyphs[5].tx1, file.font.glyphs[5].tx1);
    EXPECT_EQ(read->texels, file.texels);
}

TEST(GlfFile, TruncatedOrMalformedFilesAreRefused) {
    const std::vector<std::uint8_t> bytes = serializeGlf(smallFile());
    for (std::size_t cut : {std::size_t{0}, std::size_t{10}, std::size_t{24}, std::size_t{24 + 95 * 24}, bytes.size() - 1}) {
        const std::vector<std::uint8_t> truncated(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(parseGlf(truncated).has_value()) << "cut at " << cut;
    }
    GlfFile flat = smallFile();
    flat.font.glyphs[0].dy = 0;
    EXPECT_FALSE(parseGlf(serializeGlf(flat)).has_value());
    GlfFile backwards = smallFile();
    backwards.font.lastCode = 20;
    backwards.font.glyphs.clear();
    EXPECT_FALSE(parseGlf(serializeGlf(backwards)).has_value());
    GlfFile huge = smallFile();
    huge.font.width = 1 << 30;
    EXPECT_FALSE(parseGlf(serializeGlf(huge)).has_value());
}

TEST(GlfFile, AMissingOrUnusableFontFileSaysSoAndWhereItWasLookedFor) {
    const std::filesystem::path directory =
        std::filesystem::temp_directory_path() / ("vexmolda-font-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory);
    std::string problem;
    EXPECT_FALSE(readFontFile(directory / "verdanasmall.glf", problem));
    EXPECT_EQ(problem, "Font file \"verdanasmall.glf\" not found in \"" + directory.string() +
                           "\": the window shows no text\n");
    // Looked for in several places, it names each of them.
    problem.clear();
    EXPECT_FALSE(readFontFile(directory / "verdanasmall.glf", problem, {directory, "/usr/share/vexmolda"}));
    EXPECT_EQ(problem, "Font file \"verdanasmall.glf\" not found in \"" + directory.string() +
                           "\" or \"/usr/share/vexmolda\": the window shows no text\n");
    std::ofstream(directory / "verdanasmall.glf") << "not a font";
    problem.clear();
    EXPECT_FALSE(readFontFile(directory / "verdanasmall.glf", problem));
    EXPECT_NE(problem.find("is not a usable font"), std::string::npos) << problem;
    const std::vector<std::uint8_t> bytes = serializeGlf(smallFile());
    std::ofstream(directory / "verdanasmall.glf", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    problem.clear();
    EXPECT_TRUE(readFontFile(directory / "verdanasmall.glf", problem));
    EXPECT_EQ(problem, "");
    std::filesystem::remove_all(directory);
}

TEST(GlfFile, CharactersAreLookedUpAsSignedBytes) {
    GlfFont font = testing::syntheticFont();
    EXPECT_EQ(font.glyph(' '), &font.glyphs[0]);
    EXPECT_EQ(font.glyph('~'), &font.glyphs[94]);
    EXPECT_EQ(font.glyph('\x7F'), nullptr);
    EXPECT_EQ(font.glyph('\x80'), nullptr);
    EXPECT_EQ(font.glyph('\xFF'), nullptr);
    EXPECT_FLOAT_EQ(font.scaleFor(2), 0.5f);
}

// The file the build renders for the window.
TEST(GeneratedFont, CoversPrintableAsciiWithInkWhereGlyphsAre) {
    std::ifstream in(VEXMOLDA_FONT_FILE, std::ios::binary);
    ASSERT_TRUE(in) << VEXMOLDA_FONT_FILE;
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::optional<GlfFile> file = parseGlf(bytes);
    ASSERT_TRUE(file.has_value());
    const GlfFont& font = file->font;
    EXPECT_LE(font.firstCode, 32);
    EXPECT_GE(font.lastCode, 126);
    const float lineHeight = font.glyphs[0].dy;
    // Alpha covered inside a glyph's cell.
    auto ink = [&](char character) {
        const GlfGlyph* glyph = font.glyph(character);
        int sum = 0;
        const int x1 = static_cast<int>(glyph->tx1 * font.width + 0.5f), x2 = static_cast<int>(glyph->tx2 * font.width + 0.5f);
        const int y1 = static_cast<int>(glyph->ty1 * font.height + 0.5f), y2 = static_cast<int>(glyph->ty2 * font.height + 0.5f);
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x < x2; ++x) sum += file->texels[static_cast<std::size_t>((y * font.width + x) * 2 + 1)];
        return sum;
    };
    for (int code = 32; code <= 126; ++code) {
        const GlfGlyph* glyph = font.glyph(static_cast<char>(code));
        ASSERT_NE(glyph, nullptr) << code;
        EXPECT_GT(glyph->dx, 0) << code;
        EXPECT_FLOAT_EQ(glyph->dy, lineHeight) << code;
        EXPECT_GE(glyph->tx1, 0);
        EXPECT_LT(glyph->tx1, glyph->tx2) << code;
        EXPECT_LE(glyph->tx2, 1);
        EXPECT_GE(glyph->ty1, 0);
        EXPECT_LT(glyph->ty1, glyph->ty2) << code;
        EXPECT_LE(glyph->ty2, 1);
        if (code != ' ') {
            EXPECT_GT(ink(static_cast<char>(code)), 0) << "no ink for " << static_cast<char>(code);
        }
    }
    EXPECT_EQ(ink(' '), 0);
    // A proportional font: "W" is wider than "i".
    EXPECT_GT(font.glyph('W')->dx, font.glyph('i')->dx);
}

}  // namespace
}  // namespace vexmolda

#include "gui/TextLayout.h"

#include <gtest/gtest.h>

#include "SyntheticFont.h"
#include <algorithm>

#include "gui/Font.h"
#include "gui/WrappedText.h"

namespace vexmolda {
namespace {

using testing::syntheticFont;

const GlfFont font = syntheticFont();

std::vector<GlyphQuad> placed(const std::string& text, float x, float y, bool alignRight, float* width = nullptr) {
    std::vector<GlyphQuad> quads;
    const float w = layoutText(font, text, x, y, 2, alignRight, quads);
    if (width) *width = w;
    return quads;
}

TEST(TextMeasure, EmptyTextHasNoWidth) {
    EXPECT_FLOAT_EQ(measureText(font, "", 2), 0);
    float width = -1;
    EXPECT_TRUE(placed("", 3, 3, false, &width).empty());
    EXPECT_FLOAT_EQ(width, 0);
}

TEST(TextMeasure, WidthIsThatOfTheWidestLine) {
    EXPECT_FLOAT_EQ(measureText(font, "ab\nabcd", 2), 4);
    EXPECT_FLOAT_EQ(measureText(font, "abcd\nab", 2), 4);
    EXPECT_FLOAT_EQ(measureText(font, "W a", 2), 3.5f);
    // Twice the size, twice the width.
    EXPECT_FLOAT_EQ(measureText(font, "abc", 4), 6);
}

TEST(TextMeasure, TabsFollowTheMeasuringRuleAndMeasureAtLeastAsWideAsTheyDraw) {
    // After "a" w = 1; the tab goes to 2 * 2 * (1 + trunc(2 * 1 / 2)) = 8; "b" adds 1.
    EXPECT_FLOAT_EQ(measureText(font, "a\tb", 2), 9);
    float drawn = 0;
    placed("a\tb", 0, 0, false, &drawn);
    // Drawing puts the tab at the next multiple of 4 after 1.
    EXPECT_FLOAT_EQ(drawn, 5);
    EXPECT_GE(measureText(font, "a\tb", 2), drawn);
}

TEST(TextMeasure, ControlCharactersOutsideTheFontHaveNoWidthAndNoGlyph) {
    EXPECT_FLOAT_EQ(measureText(font, std::string("a\x01\x7F", 3), 2), 1);
    EXPECT_EQ(placed(std::string("a\x01\x7F", 3), 0, 0, false).size(), 1u);
    EXPECT_EQ(font.glyph('\xE9'), nullptr);
    EXPECT_EQ(font.glyph('\x1F'), nullptr);
    ASSERT_NE(font.glyph('~'), nullptr);
}

TEST(TextMeasure, EachCharacterBeyondAsciiIsOneHollowBoxOfTheAverageWidth) {
    const float box = averageAdvance(font) * font.scaleFor(2);
    ASSERT_GT(box, 0);
    // Two, three and four UTF-8 bytes, and a stray byte: one box each.
    const std::string text = "a\xC3\xA9" "b\xE2\x98\xBA\xF0\x9F\x98\x80\xFF";
    EXPECT_FLOAT_EQ(measureText(font, text, 2), 2 + 4 * box);
    float width = 0;
    const std::vector<GlyphQuad> quads = placed(text, 0, 0, false, &width);
    EXPECT_FLOAT_EQ(width, 2 + 4 * box) << "drawn as wide as measured";
    ASSERT_EQ(quads.size(), 6u);
    EXPECT_TRUE(quads[1].placeholder);
    EXPECT_FLOAT_EQ(quads[1].x0, 1);
    EXPECT_FLOAT_EQ(quads[1].x1 - quads[1].x0, box);
    EXPECT_FALSE(quads[2].placeholder);
    EXPECT_FLOAT_EQ(quads[2].x0, 1 + box);
    // Right alignment and wrapping measure the boxes the same way.
    EXPECT_FLOAT_EQ(placed(text, 20, 0, true).front().x0, 20 - (2 + 4 * box));
    std::string words = "\xC3\xA9\xC3\xA9 \xC3\xA9\xC3\xA9";
    wrapText(font, words, 2.5f * box, 2);
    EXPECT_EQ(words, "\xC3\xA9\xC3\xA9\n\xC3\xA9\xC3\xA9");
    std::vector<GlyphQuad> wrapped;
    layoutWrapped(font, words, 0, 0, 0, 2, wrapped);
    ASSERT_EQ(wrapped.size(), 4u);
    EXPECT_FLOAT_EQ(wrapped[2].y0, 2);
}

TEST(TextWrap, ALongTextWrappedOnceByRowsIsTheWholeTextWrapped) {
    std::string text;
    for (int i = 0; i < 300; ++i) {
        text += "step " + std::to_string(i);
        if (i % 7 == 0) text += " and a longer tail that must wrap\tat\xC3\xA9 some point or other";
        if (i % 11 == 0) text += "\n   leading spaces";
        text += "\n";
    }
    text += "no line end at the end of the text, but long enough to wrap twice over here";
    std::string whole = text;
    wrapText(font, whole, 20, 2);
    WrappedText rows;
    rows.assign(text, font, 20, 2);
    EXPECT_EQ(rows.text(), whole);
    EXPECT_EQ(rows.rowCount(), static_cast<std::size_t>(std::count(whole.begin(), whole.end(), '\n')) + 1);
    EXPECT_EQ(rows.rows(0, rows.rowCount()), whole);
    const std::size_t second = whole.find('\n') + 1;
    EXPECT_EQ(rows.rows(1, 2), whole.substr(second, whole.find('\n', second) + 1 - second));
    EXPECT_GT(rows.rowCount(), 300u + 300u / 11 + 1) << "the long lines did wrap";
}

TEST(TextWrap, AWordTooLongForItsColumnIsCutAtTheEdgeWithDots) {
    // 100 letters of width 1 in a column of 30: wrapped lines that fit stay.
    std::string text = "ab cd\n" + std::string(100, 'x') + " ef";
    wrapText(font, text, 30, 2);
    cutLongLines(font, text, 30, 2);
    EXPECT_EQ(text, "ab cd\n" + std::string(27, 'x') + "...\nef");
    std::vector<GlyphQuad> quads;
    layoutWrapped(font, text, 15, 0, 0, 2, quads);
    for (const GlyphQuad& quad : quads) EXPECT_LE(quad.x1, 15 + 30) << "nothing runs into the next column";
    // Tabs count as the wrapping pass counts them.
    std::string tabbed = "   pre:\tat(c,p)";
    cutLongLines(font, tabbed, 30, 2);
    EXPECT_EQ(tabbed, "   pre:\tat(c,p)");
}

TEST(TextDraw, SecondLineStartsOneSizeLowerAtTheSameX) {
    float width = 0;
    const std::vector<GlyphQuad> quads = placed("ab\nabcd", 10, 20, false, &width);
    ASSERT_EQ(quads.size(), 6u);
    EXPECT_FLOAT_EQ(width, 4);
    EXPECT_FLOAT_EQ(quads[0].x0, 10);
    EXPECT_FLOAT_EQ(quads[0].y0, 20);
    EXPECT_FLOAT_EQ(quads[0].y1, 22);
    EXPECT_FLOAT_EQ(quads[1].x0, 11);
    EXPECT_FLOAT_EQ(quads[2].x0, 10);
    EXPECT_FLOAT_EQ(quads[2].y0, 22);
    EXPECT_FLOAT_EQ(quads[5].x1, 14);
}

TEST(TextDraw, QuadsCarryTheGlyphTextureCorners) {
    const std::vector<GlyphQuad> quads = placed("W", 0, 0, false);
    ASSERT_EQ(quads.size(), 1u);
    const GlfGlyph* w = font.glyph('W');
    EXPECT_FLOAT_EQ(quads[0].tx1, w->tx1);
    EXPECT_FLOAT_EQ(quads[0].ty1, w->ty1);
    EXPECT_FLOAT_EQ(quads[0].tx2, w->tx2);
    EXPECT_FLOAT_EQ(quads[0].ty2, w->ty2);
    EXPECT_FLOAT_EQ(quads[0].x1 - quads[0].x0, 2);
}

TEST(TextDraw, RightAlignmentStartsEveryLineAtXMinusTheWidest) {
    const std::vector<GlyphQuad> quads = placed("ab\nabcd", 10, 0, true);
    ASSERT_EQ(quads.size(), 6u);
    EXPECT_FLOAT_EQ(quads[0].x0, 6);
    EXPECT_FLOAT_EQ(quads[2].x0, 6);
    EXPECT_FLOAT_EQ(quads[5].x1, 10);
}

TEST(TextDraw, TabsAreMeasuredFromTheOriginNotTheLineStart) {
    // Starting at 3, the next stop of width 4 is 4, not 3 + 4.
    const std::vector<GlyphQuad> quads = placed("\tb", 3, 0, false);
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_FLOAT_EQ(quads[0].x0, 4);
}

TEST(TextWrap, ThreeShortWordsBecomeThreeLines) {
    std::string text = "aaa bbb ccc";
    wrapText(font, text, 3.5f, 2);
    EXPECT_EQ(text, "aaa\nbbb\nccc");
    std::vector<GlyphQuad> quads;
    layoutWrapped(font, text, 0, 0, 0, 2, quads);
    ASSERT_EQ(quads.size(), 9u);
    EXPECT_FLOAT_EQ(quads[3].y0, 2);
    EXPECT_FLOAT_EQ(quads[6].y0, 4);
    EXPECT_FLOAT_EQ(quads[6].x0, 0);
}

TEST(TextWrap, TextThatFitsIsLeftAlone) {
    std::string text = "aaa bbb";
    wrapText(font, text, 100, 2);
    EXPECT_EQ(text, "aaa bbb");
}

TEST(TextWrap, LongWordsAndLeadingSpacesAreNotBroken) {
    std::string word = "abcdefgh";
    wrapText(font, word, 3, 2);
    EXPECT_EQ(word, "abcdefgh");
    std::string leading = " abcdef";
    wrapText(font, leading, 3, 2);
    EXPECT_EQ(leading, " abcdef");
    // A newline is the last break: the long word after it stays whole.
    std::string afterNewline = "ab\ncdefgh";
    wrapText(font, afterNewline, 3, 2);
    EXPECT_EQ(afterNewline, "ab\ncdefgh");
}

TEST(TextWrap, TabsAreBreakCandidates) {
    std::string text = "aa\tbbbbbb";
    wrapText(font, text, 5, 2);
    EXPECT_EQ(text, "aa\nbbbbbb");
}

TEST(TextWrap, HeightLimitDrawsOnlyWholeLinesThatFit) {
    std::vector<GlyphQuad> quads;
    layoutWrapped(font, "ab\ncd\nef", 0, 50, 4, 2, quads);
    ASSERT_EQ(quads.size(), 4u);
    EXPECT_FLOAT_EQ(quads[3].y0, 52);
    quads.clear();
    layoutWrapped(font, "ab\ncd\nef", 0, 50, 0, 2, quads);
    EXPECT_EQ(quads.size(), 6u);
}

TEST(FontModule, WithoutAFontTextMeasuresMinusOne) {
    useFontMetrics(GlfFont{});
    EXPECT_FALSE(fontLoaded());
    EXPECT_FLOAT_EQ(textWidth("abc", 2), -1);
    useFontMetrics(font);
    EXPECT_TRUE(fontLoaded());
    EXPECT_FLOAT_EQ(textWidth("abc", 2), 3);
    useFontMetrics(GlfFont{});
}

}  // namespace
}  // namespace vexmolda

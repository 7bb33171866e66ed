#include <gtest/gtest.h>

#include "command/Token.h"

namespace vexmolda {
namespace {

std::string describe(const TokenList& tokens) {
    std::string text;
    for (const Token& token : tokens) {
        text += "[" + std::to_string(static_cast<int>(token.kind)) + ":" + token.text + "]";
    }
    return text;
}

TEST(Tokenize, SeparatorsSplitAndParenthesesMarkArguments) {
    EXPECT_EQ(describe(tokenize("pred at(cargo:c, place:p)")),
              "[0:pred][0:at][1:cargo][1:c][1:place][1:p]");
    EXPECT_EQ(describe(tokenize("a^b|c=d\ne")), "[0:a][0:b][0:c][0:d][0:e]");
    EXPECT_TRUE(tokenize(" ,^()\n:|=").empty());
}

TEST(Tokenize, TabAndCarriageReturnAreOrdinaryBytes) {
    EXPECT_EQ(describe(tokenize("a\tb c\r")), "[0:a\tb][0:c\r]");
}

TEST(Tokenize, ParenthesesDoNotNestAndNeedNoClose) {
    EXPECT_EQ(describe(tokenize("p((x) y")), "[0:p][1:x][0:y]");
    EXPECT_EQ(describe(tokenize("p(x y")), "[0:p][1:x][1:y]");
}

TEST(Tokenize, ArrowNeedsEqualsRightBefore) {
    EXPECT_EQ(describe(tokenize("a=>b")), "[0:a][0:=>][0:b]");
    EXPECT_EQ(describe(tokenize("a>b")), "[0:a>b]");
    EXPECT_EQ(describe(tokenize(">a")), "[0:>a]");
    EXPECT_EQ(describe(tokenize("(x=>y)")), "[1:x][0:=>][1:y]");
}

TEST(Tokenize, TildeIsItsOwnTokenAndKeepsWordState) {
    EXPECT_EQ(describe(tokenize("~eq(p x)")), "[2:~][0:eq][1:p][1:x]");
    // Inside a word the rest is appended to the "~" token.
    EXPECT_EQ(describe(tokenize("ab~cd e")), "[0:ab][2:~cd][0:e]");
}

TEST(Tokenize, NulEndsTheLine) {
    EXPECT_EQ(describe(tokenize(std::string("ab\0cd", 5))), "[0:ab]");
}

TEST(Tokenize, HugeAndBinaryInputIsHandled) {
    std::string many;
    for (int i = 0; i < 10000; ++i) many += "w ";
    EXPECT_EQ(tokenize(many).size(), 10000u);
    EXPECT_EQ(tokenize(std::string(100000, '(')).size(), 0u);
    std::string binary;
    for (int byte = 1; byte < 256; ++byte) binary.push_back(static_cast<char>(byte));
    for (const Token& token : tokenize(binary)) EXPECT_FALSE(token.text.empty());
}

}  // namespace
}  // namespace vexmolda

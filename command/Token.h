#pragma once
// Tokens of one command line and the tokenizer that makes them.

#include <string>
#include <vector>

namespace vexmolda {

// Where a token stood: outside parentheses (or "=>"), inside them, or a "~".
enum class TokenKind { Word = 0, Argument = 1, Negation = 2 };

// One lexical unit of a command line; its text is never empty.
struct Token {
    std::string text;
    TokenKind kind = TokenKind::Word;
};

using TokenList = std::vector<Token>;

// Splits a line into tokens; a NUL byte ends the line.
TokenList tokenize(const std::string& line);

}  // namespace vexmolda

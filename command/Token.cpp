#include "command/Token.h"

namespace vexmolda {

namespace {

bool isSeparator(char byte) {
    switch (byte) {
    case ' ': case ',': case '^': case '(': case ')':
    case '\n': case ':': case '|': case '=':
        return true;
    default:
        return false;
    }
}

}  // namespace

TokenList tokenize(const std::string& line) {
    TokenList tokens;
    bool inWord = false;
    bool inParens = false;
    char previous = '\0';
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char byte = line[i];
        if (byte == '\0') break;
        if (isSeparator(byte)) {
            inWord = false;
            if (byte == '(') inParens = true;
            if (byte == ')') inParens = false;
        } else if (byte == '>' && i > 0 && previous == '=') {
            tokens.push_back({"=>", TokenKind::Word});
        } else if (byte == '~') {
            // inWord stays as it is: "a~b" gives "a" then "~b".
            tokens.push_back({"~", TokenKind::Negation});
        } else {
            if (!inWord) {
                tokens.push_back({"", inParens ? TokenKind::Argument : TokenKind::Word});
                inWord = true;
            }
            tokens.back().text.push_back(byte);
        }
        previous = byte;
    }
    return tokens;
}

}  // namespace vexmolda

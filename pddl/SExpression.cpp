#include "pddl/SExpression.h"

namespace vexmolda {

std::string lowerCase(const std::string& text) {
    std::string lowered = text;
    for (char& byte : lowered) {
        if (byte >= 'A' && byte <= 'Z') byte = static_cast<char>(byte - 'A' + 'a');
    }
    return lowered;
}

SExpression::~SExpression() {
    // Each member is emptied before it is destroyed, so no destructor recurses.
    std::vector<SExpression> pending = std::move(items);
    while (!pending.empty()) {
        std::vector<SExpression> members = std::move(pending.back().items);
        pending.pop_back();
        for (SExpression& member : members) {
            if (!member.items.empty()) pending.push_back(std::move(member));
        }
    }
}

std::string SExpression::key() const { return isList ? std::string() : lowerCase(text); }

bool SExpression::startsWith(const std::string& keyword) const {
    return isList && !items.empty() && items[0].isWord() && items[0].key() == keyword;
}

namespace {

bool isBlank(char byte) {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n' || byte == '\f' || byte == '\v';
}

bool endsWord(char byte) { return isBlank(byte) || byte == '(' || byte == ')' || byte == ';'; }

}  // namespace

bool readSExpressions(const std::string& text, std::vector<SExpression>& expressions, ReadFailure& failure,
                      WorkControl* control) {
    expressions.clear();
    // The open lists, innermost last; each is moved into its parent when closed.
    std::vector<SExpression> open;
    int line = 1;
    std::size_t position = 0;
    // Where a keyword first stood deeper than "(define (:section :keyword ...))"
    // allows: the list left open is that keyword's list, or the one holding it
    // when the keyword opens a section. Zero while every keyword fits.
    int misplacedKeywordLine = 0;
    auto store = [&](SExpression expression) {
        if (open.empty()) {
            expressions.push_back(std::move(expression));
        } else {
            open.back().items.push_back(std::move(expression));
        }
    };
    while (position < text.size()) {
        const char byte = text[position];
        if (byte == '\n') {
            ++line;
            ++position;
        } else if (isBlank(byte)) {
            ++position;
        } else if (byte == ';') {
            while (position < text.size() && text[position] != '\n') ++position;
        } else if (byte == '(') {
            if (control && control->shouldStop()) {
                failure = {line, "", true};
                return false;
            }
            if (open.size() == maxSExpressionDepth) {
                failure = {line, "lists nested deeper than " + std::to_string(maxSExpressionDepth) +
                                     " levels are not supported"};
                return false;
            }
            SExpression list;
            list.isList = true;
            list.line = line;
            open.push_back(std::move(list));
            ++position;
        } else if (byte == ')') {
            if (open.empty()) {
                failure = {line, "\")\" without a matching \"(\""};
                return false;
            }
            SExpression closed = std::move(open.back());
            open.pop_back();
            store(std::move(closed));
            ++position;
        } else {
            SExpression word;
            word.line = line;
            // "?" begins a variable wherever it stands: "(aircraft?a)" holds two words.
            do {
                word.text += text[position++];
            } while (position < text.size() && !endsWord(text[position]) && text[position] != '?');
            if (word.text[0] == ':' && open.size() > 2 && misplacedKeywordLine == 0) {
                misplacedKeywordLine = open.back().items.empty() ? open[open.size() - 2].line : open.back().line;
            }
            store(std::move(word));
        }
    }
    if (!open.empty()) {
        failure = {misplacedKeywordLine > 0 ? misplacedKeywordLine : open.back().line, "\"(\" is never closed"};
        return false;
    }
    return true;
}

}  // namespace vexmolda

#pragma once
// The bracketed expressions PDDL files are made of, read with their line numbers.

#include <string>
#include <vector>

#include "domain/WorkControl.h"

namespace vexmolda {

// A word or a parenthesised list of expressions; words keep their spelling.
struct SExpression {
    bool isList = false;
    std::string text;                 // the word as written (empty for lists)
    std::vector<SExpression> items;   // the members of a list
    int line = 0;                     // line of the word or of the opening "("

    SExpression() = default;
    SExpression(const SExpression&) = default;
    SExpression(SExpression&&) = default;
    SExpression& operator=(const SExpression&) = default;
    SExpression& operator=(SExpression&&) = default;
    // Frees the members without recursing, however deep the tree.
    ~SExpression();

    bool isWord() const { return !isList; }
    // The word lower-cased (PDDL names are case-insensitive); empty for lists.
    std::string key() const;
    // A list whose first member is the given keyword (compared lower-cased).
    bool startsWith(const std::string& keyword) const;
};

// Lower-cases ASCII letters; other bytes stay.
std::string lowerCase(const std::string& text);

// Deepest nesting of lists that is read; deeper text is refused.
constexpr std::size_t maxSExpressionDepth = 1000;

// Where and why reading stopped.
struct ReadFailure {
    int line = 0;
    std::string reason;
    bool stopped = false;  // the control asked the reading to stop
};

// Reads every top-level expression of a file's text; ";" starts a comment to the
// end of the line. False with the failure on unbalanced parentheses, lists
// nested deeper than maxSExpressionDepth, or a stop the control asks for.
// A list never closed is reported where it begins: the list that holds the
// first keyword (":word") standing deeper than a section's items, or else
// the innermost list open at the end.
bool readSExpressions(const std::string& text, std::vector<SExpression>& expressions, ReadFailure& failure,
                      WorkControl* control = nullptr);

}  // namespace vexmolda

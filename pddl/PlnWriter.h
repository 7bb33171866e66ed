#pragma once
// Writing a translation as a domain file whose lines the file reader takes whole.

#include <string>
#include <vector>

#include "pddl/Translation.h"

namespace vexmolda {

// Longest line of a domain file, without its newline, that is read as one piece.
constexpr std::size_t maxPlnLineBytes = 253;

// Splits an over-long "type", "derived" or "atom" line into lines that
// declare the same names; false when the line cannot be split to fit.
bool splitPlnLine(const std::string& line, std::vector<std::string>& pieces);

// The whole domain file: comments, declarations, the "noDups" toggle the
// start-up value needs, the problem and "buildInst". False with the reason
// when a line cannot be made to fit.
bool plnText(const PddlTranslation& translation, std::string& text, std::string& error);

// Writes plnText to the file; false with the reason, and no file, on failure.
bool writePlnFile(const std::string& path, const PddlTranslation& translation, std::string& error);

}  // namespace vexmolda

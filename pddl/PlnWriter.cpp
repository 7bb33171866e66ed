#include "pddl/PlnWriter.h"

#include <cstdio>

namespace vexmolda {

namespace {

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t end = line.find(' ', start);
        const std::size_t stop = end == std::string::npos ? line.size() : end;
        if (stop > start) result.push_back(line.substr(start, stop - start));
        start = stop + 1;
    }
    return result;
}

// Comments are cut to fit too: the rest of a cut comment would run as a command.
std::string comment(const std::string& text) {
    const std::string line = "# " + text;
    return line.size() <= maxPlnLineBytes ? line : line.substr(0, maxPlnLineBytes);
}

}  // namespace

bool splitPlnLine(const std::string& line, std::vector<std::string>& pieces) {
    if (line.size() <= maxPlnLineBytes) {
        pieces.push_back(line);
        return true;
    }
    const std::vector<std::string> parts = words(line);
    std::size_t fixed = 0;  // words repeated on every piece
    if (!parts.empty() && parts[0] == "type") fixed = 1;
    if (!parts.empty() && (parts[0] == "derived" || parts[0] == "atom")) fixed = 2;
    if (fixed == 0 || parts.size() <= fixed) return false;
    std::string prefix = parts[0];
    for (std::size_t i = 1; i < fixed; ++i) prefix += " " + parts[i];
    std::string piece = prefix;
    for (std::size_t i = fixed; i < parts.size(); ++i) {
        if (prefix.size() + 1 + parts[i].size() > maxPlnLineBytes) return false;
        if (piece.size() + 1 + parts[i].size() > maxPlnLineBytes) {
            pieces.push_back(piece);
            piece = prefix;
        }
        piece += " " + parts[i];
    }
    pieces.push_back(piece);
    return true;
}

bool plnText(const PddlTranslation& translation, std::string& text, std::string& error) {
    std::vector<std::string> lines = {
        comment("translated from PDDL: domain " + translation.domainName + ", problem " + translation.problemName),
    };
    lines.insert(lines.end(), translation.domainLines.begin(), translation.domainLines.end());
    if (!translation.distinctObjects) {
        lines.push_back(comment("PDDL lets two parameters take one object; noDups is set at start-up"));
        lines.push_back("noDups");
    }
    lines.insert(lines.end(), translation.problemLines.begin(), translation.problemLines.end());
    lines.push_back("buildInst");

    text.clear();
    for (const std::string& line : lines) {
        std::vector<std::string> pieces;
        if (!splitPlnLine(line, pieces)) {
            error = "line of " + std::to_string(line.size()) + " bytes cannot be split to fit " +
                    std::to_string(maxPlnLineBytes + 1) + " bytes: \"" + line.substr(0, 40) + "...\"";
            return false;
        }
        for (const std::string& piece : pieces) text += piece + "\n";
    }
    return true;
}

bool writePlnFile(const std::string& path, const PddlTranslation& translation, std::string& error) {
    std::string text;
    if (!plnText(translation, text, error)) return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot be written";
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fclose(file) != 0 || !written) {
        std::remove(path.c_str());
        error = "cannot be written";
        return false;
    }
    return true;
}

}  // namespace vexmolda

#pragma once
// The refusal and the warnings met while reading and translating PDDL.

#include <string>
#include <vector>

namespace vexmolda {

// Collects "file:line: text" lines; only the first refusal is kept, since
// everything after it may be a consequence.
class PddlDiagnostics {
public:
    void refuse(const std::string& file, int line, const std::string& text);
    // A refusal that belongs to no single line.
    void refuse(const std::string& text);
    void warn(const std::string& file, int line, const std::string& text);
    // A line about the whole load, such as what was compiled.
    void note(const std::string& text);

    bool refused() const { return !refusal.empty(); }

    std::string refusal;                // one line with its "\n", or empty
    std::vector<std::string> warnings;  // each with its "\n"
};

}  // namespace vexmolda

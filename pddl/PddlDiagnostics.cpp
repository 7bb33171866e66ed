#include "pddl/PddlDiagnostics.h"

namespace vexmolda {

namespace {

std::string located(const std::string& file, int line, const std::string& text) {
    return file + ":" + std::to_string(line) + ": " + text + "\n";
}

}  // namespace

void PddlDiagnostics::refuse(const std::string& file, int line, const std::string& text) {
    if (refusal.empty()) refusal = located(file, line, text);
}

void PddlDiagnostics::refuse(const std::string& text) {
    if (refusal.empty()) refusal = text + "\n";
}

void PddlDiagnostics::note(const std::string& text) { warnings.push_back(text + "\n"); }

void PddlDiagnostics::warn(const std::string& file, int line, const std::string& text) {
    warnings.push_back(located(file, line, text));
}

}  // namespace vexmolda

#include "pddl/PddlDiagnostics.h"

#include <cstdio>

namespace vexmolda {

namespace {

std::string located(const std::string& file, int line, const std::string& text) {
    return file + ":" + std::to_string(line) + ": " + text + "\n";
}

std::string stoppedHow(StopReason reason, const WorkControl& control) {
    char text[96];
    switch (reason) {
        case StopReason::timeLimit:
            std::snprintf(text, sizeof text, "stopped at the time limit of %g s", control.timeLimitSeconds);
            return text;
        case StopReason::memoryLimit:
            return "stopped at the memory limit of " + std::to_string(control.memoryLimitBytes / (1024 * 1024)) +
                   " MB";
        case StopReason::outOfMemory:
            return "stopped: out of memory";
        case StopReason::user:
        case StopReason::none:
            break;
    }
    return "stopped by the user";
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

void PddlDiagnostics::refuseStopped(const std::string& file, const std::string& where) {
    if (refused() || !control) return;
    stopped = true;
    refusal = loadStoppedMessage(file, control->stopReason(), *control, where) + "\n";
}

std::string loadStoppedMessage(const std::string& file, StopReason reason, const WorkControl& control,
                               const std::string& where) {
    return "Loading \"" + file + "\" " + stoppedHow(reason, control) + (where.empty() ? "" : " " + where);
}

}  // namespace vexmolda

#include "command/StopMessage.h"

#include <cstdio>

namespace vexmolda {

std::string groupedNumber(std::uint64_t value) {
    const std::string digits = std::to_string(value);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        // A comma before every group of three counted from the right.
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

namespace {

std::string seconds(double value, const char* format) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

std::string stopMessage(StopReason reason, const WorkControl& control, std::uint64_t count, const std::string& noun) {
    switch (reason) {
        case StopReason::none:
            return "";
        case StopReason::user:
            return "Stopped by the user after " + seconds(control.phaseSeconds(), "%.1f") + " s";
        case StopReason::timeLimit:
            return "Stopped at the time limit of " + seconds(control.timeLimitSeconds, "%g") + " s";
        case StopReason::memoryLimit:
            return "Out of memory after " + groupedNumber(count) + " " + noun + " (limit " +
                   std::to_string(control.memoryLimitBytes / (1024 * 1024)) + " MB)";
        case StopReason::outOfMemory:
            return "Out of memory after " + groupedNumber(count) + " " + noun;
    }
    return "";
}

}  // namespace vexmolda

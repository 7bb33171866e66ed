#include "command/StopMessage.h"

#include <cstdio>

namespace vexmolda {

std::string groupedNumber(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (std::size_t position = digits.size(); position > 3;) {
        position -= 3;
        digits.insert(position, ",");
    }
    return digits;
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

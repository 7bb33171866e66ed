#include "command/StatsLine.h"

#include <cstdio>
#include <variant>

namespace vexmolda {

namespace {

std::string seconds(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

std::string field(const char* name, std::uint64_t value) { return std::string(",\"") + name + "\":" + std::to_string(value); }

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char byte : text) {
        if (byte == '"' || byte == '\\') out += '\\';
        if (static_cast<unsigned char>(byte) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(byte));
            out += escaped;
            continue;
        }
        out += byte;
    }
    return out + "\"";
}

// One solver field: a count, seconds or a text.
std::string field(const StatisticsField& entry) {
    if (const auto* count = std::get_if<std::uint64_t>(&entry.value)) return field(entry.name, *count);
    if (const auto* spent = std::get_if<double>(&entry.value)) return std::string(",\"") + entry.name + "\":" + seconds(*spent);
    return std::string(",\"") + entry.name + "\":" + quoted(std::get<std::string>(entry.value));
}

const char* stopName(StopReason reason) {
    switch (reason) {
        case StopReason::user:
            return "user";
        case StopReason::timeLimit:
            return "time limit";
        case StopReason::memoryLimit:
            return "memory limit";
        case StopReason::outOfMemory:
            return "out of memory";
        case StopReason::none:
            break;
    }
    return "";
}

std::size_t planSteps(const Plan& plan) {
    if (const auto* layered = dynamic_cast<const ParPlan*>(&plan)) {
        std::size_t steps = 0;
        for (const auto& layer : layered->layers) steps += layer.size();
        return steps;
    }
    return plan.steps.size();
}

}  // namespace

std::string solveStatsLine(const SolveResult& result, const WorkSummary& summary) {
    const std::size_t steps = result.found && result.plan ? planSteps(*result.plan) : 0;
    std::string line = "{\"event\":\"solve\",\"solver\":" + quoted(summary.solverName) +
                       ",\"found\":" + (result.found ? "true" : "false") + field("steps", steps) +
                       ",\"cpu_s\":" + seconds(summary.cpuSeconds) + ",\"wall_s\":" + seconds(summary.wallSeconds);
    if (result.statistics) {
        for (const StatisticsField& entry : result.statistics->fields()) line += field(entry);
    }
    if (result.stopped != StopReason::none) line += ",\"stopped\":" + quoted(stopName(result.stopped));
    return line + "}";
}

std::string groundStatsLine(std::size_t instances, const WorkSummary& summary) {
    return "{\"event\":\"ground\"" + field("instances", instances) + field("bindings", summary.bindings) +
           ",\"cpu_s\":" + seconds(summary.cpuSeconds) + ",\"wall_s\":" + seconds(summary.wallSeconds) + "}";
}

}  // namespace vexmolda

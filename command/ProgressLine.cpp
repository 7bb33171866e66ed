#include "command/ProgressLine.h"

#include <cstdio>

#include "command/StopMessage.h"

namespace vexmolda {

namespace {

std::string counted(std::uint64_t value, const char* noun) { return ", " + groupedNumber(value) + " " + noun; }

std::string phaseCounters(const WorkControl& control) {
    const std::uint64_t first = control.first.load(std::memory_order_relaxed);
    const std::uint64_t second = control.second.load(std::memory_order_relaxed);
    const std::uint64_t third = control.third.load(std::memory_order_relaxed);
    switch (control.currentKind()) {
        case WorkKind::loading:
            return ", line " + groupedNumber(first);
        case WorkKind::translating:
            return ", line " + groupedNumber(first) + counted(second, "bindings tried") + counted(third, "operations");
        case WorkKind::grounding:
            return counted(first, "bindings tried") + counted(second, "instances");
        case WorkKind::aStarSearch:
            return counted(first, "expanded") + counted(second, "states");
        case WorkKind::graphSearch:
            return ", level " + groupedNumber(first) + counted(second, "recursions") + counted(third, "memo entries");
        case WorkKind::islandSearch:
            return ", depth " + groupedNumber(first) + counted(second, "steps") + counted(third, "picks");
        case WorkKind::idle:
            break;
    }
    return "";
}

}  // namespace

std::string progressLine(const std::string& what, const WorkControl& control) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f s", control.commandSeconds());
    const std::size_t megabytes = residentMemoryBytes() / (1024 * 1024);
    return what + ": " + seconds + phaseCounters(control) + ", " + groupedNumber(megabytes) + " MB in use";
}

}  // namespace vexmolda

#include "command/ProgressLine.h"

#include <cstdio>

#include "command/StopMessage.h"

namespace vexmolda {

namespace {

constexpr CounterLabels loadingLabels{{{"line", true}, {}, {}}};
constexpr CounterLabels translatingLabels{{{"line", true}, {"bindings tried"}, {"operations"}}};
constexpr CounterLabels groundingLabels{{{"bindings tried"}, {"instances"}, {}}};

const CounterLabels* labelsOf(const WorkControl& control) {
    switch (control.currentKind()) {
        case WorkKind::loading:
            return &loadingLabels;
        case WorkKind::translating:
            return &translatingLabels;
        case WorkKind::grounding:
            return &groundingLabels;
        case WorkKind::solving:
            return control.solveCounterLabels();
        case WorkKind::idle:
            break;
    }
    return nullptr;
}

std::string phaseCounters(const WorkControl& control) {
    const CounterLabels* labels = labelsOf(control);
    if (!labels) return "";
    const std::uint64_t values[] = {control.first.load(std::memory_order_relaxed),
                                    control.second.load(std::memory_order_relaxed),
                                    control.third.load(std::memory_order_relaxed)};
    std::string text;
    for (std::size_t k = 0; k < labels->size(); ++k) {
        const CounterLabel& label = (*labels)[k];
        if (!label.noun) continue;
        const std::string value = groupedNumber(values[k]);
        text += label.nounFirst ? ", " + std::string(label.noun) + " " + value : ", " + value + " " + label.noun;
    }
    return text;
}

}  // namespace

std::string progressLine(const std::string& what, const WorkControl& control) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f s", control.commandSeconds());
    const std::size_t megabytes = residentMemoryBytes() / (1024 * 1024);
    return what + ": " + seconds + phaseCounters(control) + ", " + groupedNumber(megabytes) + " MB in use";
}

}  // namespace vexmolda

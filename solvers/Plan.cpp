#include "solvers/Plan.h"

#include <cstdio>

namespace vexmolda {

std::string stepText(const OperationInstance& instance) {
    std::string text = instance.name() + "(";
    for (std::size_t i = 0; i < instance.args().size(); ++i) {
        if (i > 0) text += ",";
        text += instance.args()[i]->name;
    }
    return text + ")";
}

void Plan::print() const {
    const std::string text = toString();
    std::fwrite(text.data(), 1, text.size(), stdout);
}

std::string Plan::toString() const {
    std::string text;
    for (const OperationInstance* step : steps) text += stepText(*step) + "\n";
    return text;
}

void Plan::clear() { steps.clear(); }

std::string ParPlan::toString() const {
    std::string text;
    for (std::size_t layer = 0; layer < layers.size(); ++layer) {
        text += std::to_string(layer + 1) + ": ";
        for (std::size_t i = 0; i < layers[layer].size(); ++i) {
            if (i > 0) text += ", ";
            text += stepText(*layers[layer][i]);
        }
        text += "\n";
    }
    return text;
}

void ParPlan::clear() { layers.clear(); }

}  // namespace vexmolda

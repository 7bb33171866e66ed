#include "support/RandomDomain.h"

namespace vexmolda::testing {

std::vector<std::string> randomDomain(std::uint32_t& seed, const RandomDomainShape& shape) {
    auto draw = [&seed](int n) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(n));
    };
    auto factList = [&](int percent) {
        std::string text;
        for (int f = 0; f < shape.facts; ++f) {
            if (draw(100) < percent) text += " f" + std::to_string(f) + "()";
        }
        return text;
    };
    std::vector<std::string> lines;
    for (int f = 0; f < shape.facts; ++f) lines.push_back("pred f" + std::to_string(f) + "()");
    const int operations = 3 + draw(shape.extraOperations);
    for (int o = 0; o < operations; ++o) {
        const std::string name = "o" + std::to_string(o);
        lines.push_back("op " + name + "()");
        const std::string pre = factList(shape.prePercent);
        const std::string add = factList(shape.addPercent);
        const std::string del = factList(shape.delPercent);
        if (!pre.empty()) lines.push_back("pre " + name + pre);
        if (!add.empty()) lines.push_back("add " + name + add);
        if (!del.empty()) lines.push_back("del " + name + del);
    }
    lines.push_back("init" + factList(shape.initPercent));
    lines.push_back("goal" + factList(shape.goalPercent));
    lines.push_back("buildInst");
    return lines;
}

}  // namespace vexmolda::testing

#include "solvers/SuccessorGenerator.h"

#include <algorithm>

namespace vexmolda {

namespace {

std::vector<std::int32_t> idsOf(FactSpan state) {
    std::vector<std::int32_t> ids;
    ids.reserve(state.size());
    for (const Fact* fact : state) ids.push_back(fact->id);
    return ids;
}

}  // namespace

void SuccessorGenerator::build(const InstanceList& instances, const State& initial, std::size_t factCount) {
    actions.clear();
    alwaysTried.clear();
    filedUnder.assign(factCount, {});
    std::vector<bool> changes(factCount, false);
    for (const auto& instance : instances) {
        actions.push_back({idsOf(instance->pre()), idsOf(instance->add()), idsOf(instance->del())});
        for (std::int32_t fact : actions.back().add) changes[fact] = true;
        for (std::int32_t fact : actions.back().del) changes[fact] = true;
    }
    std::vector<bool> initiallyTrue(factCount, false);
    for (const Fact* fact : initial) initiallyTrue[fact->id] = true;

    for (std::size_t id = 0; id < actions.size(); ++id) {
        const auto& pre = actions[id].pre;
        auto changing = std::find_if(pre.begin(), pre.end(), [&](std::int32_t fact) { return changes[fact]; });
        if (changing != pre.end()) {
            filedUnder[*changing].push_back(static_cast<std::int32_t>(id));
            continue;
        }
        const bool unchangingHold =
            std::all_of(pre.begin(), pre.end(), [&](std::int32_t fact) { return initiallyTrue[fact]; });
        if (unchangingHold) alwaysTried.push_back(static_cast<std::int32_t>(id));
    }
}

void SuccessorGenerator::applicable(std::span<const std::int32_t> state, const std::vector<std::uint64_t>& inState,
                                    std::vector<std::int32_t>& result) const {
    result.assign(alwaysTried.begin(), alwaysTried.end());
    for (std::int32_t fact : state) {
        for (std::int32_t id : filedUnder[fact]) {
            const auto& pre = actions[id].pre;
            const bool holds =
                std::all_of(pre.begin(), pre.end(), [&](std::int32_t needed) { return hasBit(inState, needed); });
            if (holds) result.push_back(id);
        }
    }
    std::sort(result.begin(), result.end());
}

}  // namespace vexmolda

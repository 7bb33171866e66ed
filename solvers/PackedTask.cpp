#include "solvers/PackedTask.h"

#include <algorithm>
#include <bit>
#include <cassert>

#include "solvers/BitCount.h"
#include "solvers/DeadInstances.h"

namespace vexmolda {

PackedTask::PackedTask(const InstanceList& instances, const State& initialState, const State& goal,
                       std::size_t factCount) {
    const InstanceFacts sets(instances);
    const std::vector<bool> live = liveInstances(sets, initialState, factCount);
    std::vector<bool> initiallyTrue(factCount, false);
    for (const Fact* fact : initialState) initiallyTrue[fact->id] = true;

    // A fact changes when a live instance adds it while false initially or
    // deletes it while true initially; any other fact keeps its first value.
    std::vector<bool> changes(factCount, false);
    for (std::size_t id = 0; id < instances.size(); ++id) {
        if (!live[id]) continue;
        for (std::int32_t fact : sets.add(id)) {
            if (!initiallyTrue[fact]) changes[fact] = true;
        }
        for (std::int32_t fact : sets.del(id)) {
            if (initiallyTrue[fact]) changes[fact] = true;
        }
    }
    std::vector<std::int32_t> bitOfFact(factCount, -1);
    for (std::size_t fact = 0; fact < factCount; ++fact) {
        if (changes[fact]) {
            bitOfFact[fact] = static_cast<std::int32_t>(factOfBit.size());
            factOfBit.push_back(static_cast<std::int32_t>(fact));
        } else if (initiallyTrue[fact]) {
            alwaysTrue.push_back(static_cast<std::int32_t>(fact));
        }
    }
    wordCount = std::max<std::size_t>(1, (factOfBit.size() + 63) / 64);
    initial.assign(wordCount, 0);
    goalMask.assign(wordCount, 0);
    for (const Fact* fact : initialState) {
        const std::int32_t bit = bitOfFact[fact->id];
        if (bit >= 0) initial[bit >> 6] |= std::uint64_t{1} << (bit & 63);
    }
    for (const Fact* fact : goal) {
        const std::int32_t bit = bitOfFact[fact->id];
        if (bit >= 0) {
            goalMask[bit >> 6] |= std::uint64_t{1} << (bit & 63);
        } else if (!initiallyTrue[fact->id]) {
            ++goalsNeverMet;
        }
    }

    actions.resize(instances.size(), PackedAction{0, 0, 0, 0});
    std::vector<bool> canApply(instances.size(), false);
    // How many applicable instances need each bit: the rarest need of an
    // instance is the one least often met, so its watch list stays short.
    std::vector<std::uint32_t> needs(factOfBit.size(), 0);
    for (std::size_t id = 0; id < instances.size(); ++id) {
        PackedAction& action = actions[id];
        action.begin = static_cast<std::uint32_t>(bits.size());
        canApply[id] = live[id];
        for (std::int32_t fact : sets.pre(id)) {
            const std::int32_t bit = bitOfFact[fact];
            if (bit >= 0) {
                bits.push_back(static_cast<std::uint32_t>(bit));
                ++action.pre;
            } else if (!initiallyTrue[fact]) {
                canApply[id] = false;  // never true
            }
        }
        for (std::int32_t fact : sets.add(id)) {
            if (bitOfFact[fact] >= 0) {
                bits.push_back(static_cast<std::uint32_t>(bitOfFact[fact]));
                ++action.add;
            }
        }
        for (std::int32_t fact : sets.del(id)) {
            if (bitOfFact[fact] >= 0) {
                bits.push_back(static_cast<std::uint32_t>(bitOfFact[fact]));
                ++action.del;
            }
        }
        if (!canApply[id]) continue;
        for (std::uint32_t i = 0; i < action.pre; ++i) ++needs[bits[action.begin + i]];
    }

    std::vector<std::vector<std::int32_t>> watchLists(factOfBit.size());
    for (std::size_t id = 0; id < instances.size(); ++id) {
        if (!canApply[id]) continue;
        const PackedAction& action = actions[id];
        if (action.pre == 0) {
            alwaysApplicable.push_back(static_cast<std::int32_t>(id));
            continue;
        }
        // The watched bit goes first; the others are tested in any order.
        std::uint32_t* pre = bits.data() + action.begin;
        std::uint32_t* rarest = std::min_element(pre, pre + action.pre, [&](std::uint32_t left, std::uint32_t right) {
            return needs[left] < needs[right];
        });
        std::swap(*pre, *rarest);
        watchLists[*pre].push_back(static_cast<std::int32_t>(id));
    }
    watchBegin.push_back(0);
    for (const auto& list : watchLists) {
        for (std::int32_t id : list) {
            watching.push_back(id);
            // Every changing precondition as a mask over the state's words.
            const std::size_t offset = watchMasks.size();
            watchMasks.resize(offset + wordCount, 0);
            const PackedAction& action = actions[id];
            for (std::uint32_t i = 0; i < action.pre; ++i) {
                const std::uint32_t bit = bits[action.begin + i];
                watchMasks[offset + (bit >> 6)] |= std::uint64_t{1} << (bit & 63);
            }
        }
        watchBegin.push_back(static_cast<std::uint32_t>(watching.size()));
    }
}

std::int32_t PackedTask::openGoals(const std::uint64_t* state) const {
    std::int32_t open = goalsNeverMet;
    for (std::size_t word = 0; word < wordCount; ++word) open += countBits(goalMask[word] & ~state[word]);
    return open;
}

void PackedTask::applicable(const std::uint64_t* state, std::vector<std::int32_t>& result) const {
    result.assign(alwaysApplicable.begin(), alwaysApplicable.end());
    const bool someWatched = !watching.empty();
    for (std::size_t word = 0; someWatched && word < wordCount; ++word) {
        for (std::uint64_t set = state[word]; set != 0; set &= set - 1) {
            const std::size_t bit = word * 64 + static_cast<std::size_t>(std::countr_zero(set));
            for (std::uint32_t w = watchBegin[bit]; w < watchBegin[bit + 1]; ++w) {
                const std::uint64_t* mask = watchMasks.data() + std::size_t{w} * wordCount;
                bool holds = true;
                for (std::size_t i = 0; i < wordCount && holds; ++i) holds = (state[i] & mask[i]) == mask[i];
                if (holds) result.push_back(watching[w]);
            }
        }
    }
    std::sort(result.begin(), result.end());
}

bool PackedTask::apply(const std::uint64_t* state, std::int32_t instance, std::uint64_t* successor) const {
    assert(static_cast<std::size_t>(instance) < actions.size());
    const PackedAction& action = actions[instance];
    std::copy(state, state + wordCount, successor);
    const std::uint32_t* add = bits.data() + action.begin + action.pre;
    const std::uint32_t* del = add + action.add;
    for (std::uint32_t i = 0; i < action.del; ++i) successor[del[i] >> 6] &= ~(std::uint64_t{1} << (del[i] & 63));
    for (std::uint32_t i = 0; i < action.add; ++i) successor[add[i] >> 6] |= std::uint64_t{1} << (add[i] & 63);
    for (std::size_t word = 0; word < wordCount; ++word) {
        if (state[word] != successor[word]) return true;
    }
    return false;
}

std::vector<std::int32_t> PackedTask::factIds(const std::uint64_t* state) const {
    std::vector<std::int32_t> ids = alwaysTrue;
    for (std::size_t bit = 0; bit < factOfBit.size(); ++bit) {
        if (testBit(state, static_cast<std::uint32_t>(bit))) ids.push_back(factOfBit[bit]);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

}  // namespace vexmolda

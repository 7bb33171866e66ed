#include "solvers/LandmarkGraph.h"

#include <algorithm>
#include <utility>

namespace vexmolda {

void LandmarkGraph::reachWithout(std::int64_t excluded) {
    reached.assign(task.factCount(), 0);
    waiting.resize(task.actionCount());
    for (std::uint32_t action = 0; action < task.actionCount(); ++action) {
        waiting[action] = static_cast<std::uint32_t>(task.preconditions(action).size());
    }
    if (excluded >= 0) {
        // One more precondition than the action has: it never fires.
        for (std::uint32_t action : task.achievers(static_cast<std::uint32_t>(excluded))) ++waiting[action];
    }
    queue.clear();
    auto reach = [&](std::uint32_t bit) {
        if (reached[bit]) return;
        reached[bit] = 1;
        queue.push_back(bit);
    };
    auto fire = [&](std::uint32_t action) {
        for (std::uint32_t bit : task.adds(action)) reach(bit);
    };
    for (std::uint32_t bit = 0; bit < task.factCount(); ++bit) {
        if (testBit(initialState, bit)) reach(bit);
    }
    for (std::uint32_t action : task.unconditional()) {
        if (waiting[action] == 0) fire(action);
    }
    for (std::size_t next = 0; next < queue.size(); ++next) {
        for (std::uint32_t action : task.consumers(queue[next])) {
            if (--waiting[action] == 0) fire(action);
        }
    }
}

LandmarkGraph::LandmarkGraph(const RelaxedTask& task, const std::uint64_t* initial)
    : task(task), initialState(initial) {
    beforeBegin.assign(1, 0);
    afterBegin.assign(1, 0);
    if (task.goalNeverReached()) return;
    reachWithout(-1);
    for (std::uint32_t bit : task.goal()) {
        if (!reached[bit]) return;
    }
    reachable = true;

    std::vector<std::int32_t> landmarkOfBit(task.factCount(), -1);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> orders;  // (before, after) landmarks
    auto addLandmark = [&](std::uint32_t bit, bool goal) {
        landmarkOfBit[bit] = static_cast<std::int32_t>(landmarkBit.size());
        landmarkBit.push_back(bit);
        goalFlag.push_back(goal);
    };
    for (std::uint32_t bit : task.goal()) addLandmark(bit, true);

    std::vector<std::uint32_t> shared(task.factCount(), 0);  // first achievers needing each fact
    std::vector<std::uint32_t> candidates;
    for (std::size_t next = 0; next < landmarkBit.size(); ++next) {
        const std::uint32_t bit = landmarkBit[next];
        if (testBit(initialState, bit)) continue;  // true from the start: nothing must come first
        reachWithout(bit);
        // The first achievers and the preconditions they all share.
        std::uint32_t firstAchievers = 0;
        candidates.clear();
        for (std::uint32_t action : task.achievers(bit)) {
            const auto pre = task.preconditions(action);
            if (!std::all_of(pre.begin(), pre.end(), [&](std::uint32_t p) { return reached[p] != 0; })) continue;
            ++firstAchievers;
            for (std::uint32_t p : pre) {
                if (shared[p]++ == 0) candidates.push_back(p);
            }
        }
        std::sort(candidates.begin(), candidates.end());
        std::vector<std::uint32_t> kept;
        for (std::uint32_t candidate : candidates) {
            if (shared[candidate] == firstAchievers) kept.push_back(candidate);
            shared[candidate] = 0;
        }
        for (std::uint32_t candidate : kept) {
            if (landmarkOfBit[candidate] < 0) {
                bool verified = testBit(initialState, candidate);
                if (!verified) {
                    reachWithout(candidate);
                    verified = std::any_of(task.goal().begin(), task.goal().end(),
                                           [&](std::uint32_t goal) { return reached[goal] == 0; });
                }
                if (!verified) continue;
                addLandmark(candidate, false);
            }
            orders.emplace_back(static_cast<std::uint32_t>(landmarkOfBit[candidate]), static_cast<std::uint32_t>(next));
        }
    }

    for (std::uint32_t landmark : landmarkBit) {
        std::int32_t cheapest = infiniteValue;
        for (std::uint32_t action : task.achievers(landmark)) cheapest = std::min(cheapest, task.cost(action));
        landmarkCost.push_back(cheapest == infiniteValue ? 1 : cheapest);
    }
    // Both directions of the orders, each list in the order found.
    std::vector<std::vector<std::uint32_t>> beforeLists(landmarkBit.size()), afterLists(landmarkBit.size());
    for (const auto& [first, second] : orders) {
        beforeLists[second].push_back(first);
        afterLists[first].push_back(second);
    }
    for (std::size_t landmark = 0; landmark < landmarkBit.size(); ++landmark) {
        beforeList.insert(beforeList.end(), beforeLists[landmark].begin(), beforeLists[landmark].end());
        beforeBegin.push_back(static_cast<std::uint32_t>(beforeList.size()));
        afterList.insert(afterList.end(), afterLists[landmark].begin(), afterLists[landmark].end());
        afterBegin.push_back(static_cast<std::uint32_t>(afterList.size()));
    }
}

}  // namespace vexmolda

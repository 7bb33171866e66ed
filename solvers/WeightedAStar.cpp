#include "solvers/WeightedAStar.h"

#include <algorithm>
#include <vector>

#include "solvers/FifoBucketQueue.h"
#include "solvers/GreedySearch.h"

namespace vexmolda {

namespace {

enum : std::uint8_t { weightedOpen = 1, weightedClosed = 2, weightedDead = 4 };

// Steps from the start and heuristic value of each stored state.
struct PathCost {
    std::int32_t steps;
    std::int32_t value;
};

}  // namespace

bool weightedAStarSearch(SearchSpace& space, std::int32_t weight, WorkControl& control, SearchCounters& counters,
                         std::uint32_t& last, bool aStarProgress) {
    std::atomic<std::uint64_t>& bestCounter = aStarProgress ? control.third : control.second;
    std::atomic<std::uint64_t>& statesCounter = aStarProgress ? control.second : control.third;
    FifoBucketQueue open;
    ChunkedArray<PathCost> costs;
    std::vector<Successor> successors;
    const auto finish = [&](bool found) {
        counters.states = space.size();
        counters.stateBytes = space.bytesUsed() + open.bytesUsed() + costs.bytesUsed();
        return found;
    };
    const auto key = [weight](const PathCost& cost) {
        return cost.steps + weight * static_cast<std::int64_t>(cost.value);
    };
    const std::uint32_t start = space.addInitial();
    last = start;
    const std::int32_t initialValue = space.evaluate(start);
    ++counters.evaluated;
    counters.hInitial = initialValue == infiniteValue ? -1 : initialValue;
    if (initialValue == infiniteValue) return finish(false);
    costs.growTo(1);
    costs[start] = {0, initialValue};
    std::int32_t best = initialValue;
    bestCounter.store(static_cast<std::uint64_t>(best), std::memory_order_relaxed);
    open.push(static_cast<std::int32_t>(key(costs[start])), start);
    space.mark(start) = weightedOpen;
    while (!open.empty()) {
        if (control.shouldStop()) return finish(false);
        const std::int32_t queuedKey = open.lowestKey();
        const std::uint32_t state = open.pop();
        // A state queued again leaves its older, dearer entries behind.
        if (!(space.mark(state) & weightedOpen) || key(costs[state]) != queuedKey) continue;
        space.mark(state) = weightedClosed;
        last = state;
        if (space.isGoal(state)) return finish(true);
        if (space.wouldPassMemoryLimit(control, state, open.bytesUsed() + costs.bytesUsed(),
                                       open.growthBytes(space.size()) + costs.growthBytes(space.size() * 2))) {
            return finish(false);
        }
        ++counters.expanded;
        const std::int32_t steps = costs[state].steps + 1;
        space.expand(state, false, successors);
        for (const Successor& successor : successors) {
            const std::uint32_t child = successor.state;
            if (successor.isNew) {
                costs.growTo(child + 1);
                const std::int32_t value = space.evaluate(child);
                ++counters.evaluated;
                costs[child] = {steps, value};
                if (value == infiniteValue) {
                    space.mark(child) = weightedDead;
                    continue;
                }
                if (value < best) {
                    best = value;
                    bestCounter.store(static_cast<std::uint64_t>(best), std::memory_order_relaxed);
                }
            } else {
                if (space.mark(child) & weightedDead || costs[child].steps <= steps) continue;
                costs[child].steps = steps;
                space.node(child) = {state, successor.instance};
            }
            space.mark(child) = weightedOpen;
            open.push(static_cast<std::int32_t>(key(costs[child])), child);
            ++counters.generated;
        }
        control.first.store(counters.expanded, std::memory_order_relaxed);
        statesCounter.store(space.size(), std::memory_order_relaxed);
    }
    return finish(false);
}

bool WeightedAStar::solve(const SolveTask& task, SolveResult& result, SolveContext& context) {
    SearchCounters& counters = counts.counters;
    std::unique_ptr<SearchSpace> space = prepareSearch(task, heuristicNameFor(task, "ff"), result, counters);
    const std::int32_t weight = task.limit <= 0 ? 5 : std::min(task.limit, largestWeight);
    std::uint32_t last = 0;
    const bool found = weightedAStarSearch(*space, weight, context.control, counters, last);
    space->fillPlan(last, plan);
    if (found) result.planShown = true;
    return found;
}

}  // namespace vexmolda

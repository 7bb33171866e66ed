#include "solvers/GreedySearch.h"

#include <algorithm>
#include <vector>

#include "solvers/FifoBucketQueue.h"
#include "solvers/StateOperations.h"

namespace vexmolda {

namespace {

enum : std::uint8_t { greedyQueued = 1, greedyClosed = 2 };

// The regular list and the preferred one; the list with the lower priority
// gives the next state, and each pick raises its list's priority by one.
class AlternatingLists {
public:
    bool empty() const { return lists[0].empty() && lists[1].empty(); }
    void push(std::int32_t key, std::uint32_t state, bool preferred) {
        lists[0].push(key, state);
        if (preferred) lists[1].push(key, state);
    }
    // Takes a state; sets fromPreferred when the preferred list gave it.
    std::uint32_t pop(bool& fromPreferred) {
        std::size_t chosen = 0;
        if (lists[0].empty() || (!lists[1].empty() && priority[1] < priority[0])) chosen = 1;
        ++priority[chosen];
        fromPreferred = chosen == 1;
        return lists[chosen].pop();
    }
    void boostPreferred() { priority[1] -= preferredBoost; }
    std::size_t bytesUsed() const { return lists[0].bytesUsed() + lists[1].bytesUsed(); }
    std::size_t growthBytes(std::size_t more) const { return lists[0].growthBytes(more) + lists[1].growthBytes(more); }

private:
    FifoBucketQueue lists[2];
    std::int64_t priority[2] = {0, 0};
};

}  // namespace

bool greedySearch(SearchSpace& space, std::uint32_t start, WorkControl& control, SearchCounters& counters,
                  std::uint32_t& last) {
    AlternatingLists open;
    std::vector<Successor> successors;
    std::int32_t best = infiniteValue;
    open.push(0, start, false);
    space.mark(start) = greedyQueued;
    last = start;
    const auto finish = [&](bool found) {
        counters.states = space.size();
        counters.stateBytes = space.bytesUsed() + open.bytesUsed();
        return found;
    };
    while (!open.empty()) {
        if (control.shouldStop()) return finish(false);
        bool fromPreferred = false;
        const std::uint32_t state = open.pop(fromPreferred);
        if (space.mark(state) & greedyClosed) continue;
        space.mark(state) = greedyClosed;
        last = state;
        if (space.isGoal(state)) return finish(true);
        const std::int32_t value = space.evaluate(state);
        ++counters.evaluated;
        if (counters.evaluated == 1) counters.hInitial = value == infiniteValue ? -1 : value;
        if (value == infiniteValue) continue;
        if (value < best) {
            best = value;
            open.boostPreferred();
            control.second.store(static_cast<std::uint64_t>(best), std::memory_order_relaxed);
        }
        if (space.wouldPassMemoryLimit(control, state, open.bytesUsed(), open.growthBytes(space.size()))) return finish(false);
        ++counters.expanded;
        if (fromPreferred) ++counters.preferredExpanded;
        space.expand(state, true, successors);
        for (const Successor& successor : successors) {
            if (space.mark(successor.state) != 0) continue;
            space.mark(successor.state) = greedyQueued;
            open.push(value, successor.state, successor.preferred);
            ++counters.generated;
        }
        control.first.store(counters.expanded, std::memory_order_relaxed);
        control.third.store(space.size(), std::memory_order_relaxed);
    }
    return finish(false);
}

std::unique_ptr<SearchSpace> prepareSearch(const SolveTask& task, const std::string& heuristic, SolveResult& result,
                                           SearchCounters& counters) {
    const double start = threadCpuSeconds();
    counters.heuristic = heuristic;
    result.log.append("Heuristic " + heuristic + "\n");
    auto space = std::make_unique<SearchSpace>(task, heuristic);
    counters.preparationSeconds = threadCpuSeconds() - start;
    return space;
}

bool GreedySearch::solve(const SolveTask& task, SolveResult& result, SolveContext& context) {
    SearchCounters& counters = counts.counters;
    std::unique_ptr<SearchSpace> space = prepareSearch(task, heuristicNameFor(task, "ff"), result, counters);
    std::uint32_t last = space->addInitial();
    const bool found = greedySearch(*space, last, context.control, counters, last);
    space->fillPlan(last, plan);
    if (found) result.planShown = true;
    return found;
}

}  // namespace vexmolda

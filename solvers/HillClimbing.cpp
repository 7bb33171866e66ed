#include "solvers/HillClimbing.h"

#include <vector>

#include "solvers/GreedySearch.h"
#include "solvers/SearchSpace.h"

namespace vexmolda {

namespace {

enum class ClimbOutcome { goal, stuck, stopped };

// One climb over a search space; each breadth-first search stamps the states
// it reaches with its round number.
class Climb {
public:
    Climb(SearchSpace& space, WorkControl& control, SearchCounters& counters)
        : space(space), control(control), counters(counters) {}

    // Climbs from the stored state start; last is the state reached.
    ClimbOutcome run(std::uint32_t start, std::uint32_t& last);
    std::size_t bytesUsed() const { return rounds.bytesUsed() + queue.capacity() * sizeof(std::uint32_t); }

private:
    // The first state of lower value than bound reached from state, breadth
    // first; its value in value. False when none is reached.
    bool improve(std::uint32_t state, std::int32_t bound, std::uint32_t& better, std::int32_t& value,
                 bool& stopped);
    bool visit(std::uint32_t state) {
        // Records come uninitialised: a new state has been in no round.
        rounds.growTo(space.size());
        for (; stamped < space.size(); ++stamped) rounds[stamped] = 0;
        if (rounds[state] == round) return false;
        rounds[state] = round;
        return true;
    }

    SearchSpace& space;
    WorkControl& control;
    SearchCounters& counters;
    ChunkedArray<std::uint32_t> rounds;
    std::uint32_t round = 0;
    std::size_t stamped = 0;  // states whose round is set
    std::vector<std::uint32_t> queue;
    std::vector<Successor> successors;
};

ClimbOutcome Climb::run(std::uint32_t start, std::uint32_t& last) {
    last = start;
    std::int32_t value = space.evaluate(start);
    ++counters.evaluated;
    counters.hInitial = value == infiniteValue ? -1 : value;
    if (value == infiniteValue) return ClimbOutcome::stuck;
    control.second.store(static_cast<std::uint64_t>(value), std::memory_order_relaxed);
    while (!space.isGoal(last)) {
        bool stopped = false;
        std::uint32_t better = last;
        if (!improve(last, value, better, value, stopped)) return stopped ? ClimbOutcome::stopped : ClimbOutcome::stuck;
        last = better;
        control.second.store(static_cast<std::uint64_t>(value), std::memory_order_relaxed);
    }
    return ClimbOutcome::goal;
}

bool Climb::improve(std::uint32_t state, std::int32_t bound, std::uint32_t& better, std::int32_t& value,
                    bool& stopped) {
    ++round;
    queue.clear();
    queue.push_back(state);
    visit(state);
    for (std::size_t head = 0; head < queue.size(); ++head) {
        if (control.shouldStop()) {
            stopped = true;
            return false;
        }
        const std::uint32_t current = queue[head];
        // The start was the heuristic's last evaluation; every other state is
        // evaluated when taken, which makes its helpful instances the last ones.
        if (head > 0) {
            const std::int32_t currentValue = space.evaluate(current);
            ++counters.evaluated;
            if (currentValue == infiniteValue) continue;
            if (currentValue < bound) {
                better = current;
                value = currentValue;
                return true;
            }
        }
        if (space.wouldPassMemoryLimit(control, current, bytesUsed(),
                                       (queue.size() + space.size()) * 2 * sizeof(std::uint32_t))) {
            stopped = true;
            return false;
        }
        ++counters.expanded;
        space.expand(current, true, successors);
        // Helpful successors first, then the others, each in instance order.
        for (const bool helpful : {true, false}) {
            for (const Successor& successor : successors) {
                if (successor.preferred != helpful || !visit(successor.state)) continue;
                queue.push_back(successor.state);
                ++counters.generated;
            }
        }
        control.first.store(counters.expanded, std::memory_order_relaxed);
        control.third.store(space.size(), std::memory_order_relaxed);
    }
    return false;
}

}  // namespace

bool HillClimbing::solve(const SolveTask& task, SolveResult& result, SolveContext& context) {
    SearchCounters& counters = counts.counters;
    std::unique_ptr<SearchSpace> space = prepareSearch(task, heuristicNameFor(task, "ff"), result, counters);
    const std::uint32_t start = space->addInitial();
    std::uint32_t last = start;
    ClimbOutcome outcome = ClimbOutcome::stopped;
    std::size_t climbBytes = 0;
    {
        Climb climb(*space, context.control, counters);
        outcome = climb.run(start, last);
        climbBytes = climb.bytesUsed();
    }
    bool found = outcome == ClimbOutcome::goal;
    if (outcome == ClimbOutcome::stuck) {
        result.log.append("Hill-climbing stuck after " + std::to_string(counters.expanded) +
                          " expansions: greedy best-first search\n");
        found = greedySearch(*space, start, context.control, counters, last);
    } else {
        counters.states = space->size();
        counters.stateBytes = space->bytesUsed() + climbBytes;
    }
    space->fillPlan(last, plan);
    if (found) result.planShown = true;
    return found;
}

}  // namespace vexmolda

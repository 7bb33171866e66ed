#include "solvers/RelaxedExploration.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace vexmolda {

namespace {

// Costs past this wait in the heap: sums can grow far beyond any bucket array.
constexpr std::int32_t bucketLimit = 1 << 14;

// Saturates below infiniteValue, so a dear but reachable fact stays finite.
std::int32_t addCosts(std::int32_t left, std::int32_t right) {
    const std::int64_t total = std::int64_t{left} + right;
    return static_cast<std::int32_t>(std::min<std::int64_t>(total, infiniteValue - 1));
}

}  // namespace

RelaxedExploration::RelaxedExploration(const RelaxedTask& task, RelaxedCombine combine)
    : relaxed(task),
      combine(combine),
      labels(task.factCount(), FactLabel{infiniteValue, -1}),
      startProgress(task.actionCount()),
      progress(task.actionCount()),
      isGoal(task.factCount(), 0) {
    for (std::uint32_t action = 0; action < task.actionCount(); ++action) {
        startProgress[action] = {static_cast<std::uint32_t>(task.preconditions(action).size()), 0};
    }
    for (std::uint32_t bit : task.goal()) isGoal[bit] = 1;
}

void RelaxedExploration::push(std::int32_t cost, std::uint32_t bit) {
    ++queued;
    if (cost < bucketLimit) {
        if (static_cast<std::size_t>(cost) >= buckets.size()) buckets.resize(static_cast<std::size_t>(cost) + 1);
        buckets[cost].push_back(bit);
    } else {
        overflow.emplace_back(cost, bit);
        std::push_heap(overflow.begin(), overflow.end(), std::greater<>());
    }
}

void RelaxedExploration::fire(std::uint32_t action, std::int32_t cost) {
    for (std::uint32_t bit : relaxed.adds(action)) {
        FactLabel& label = labels[bit];
        if (cost < label.cost) {
            label = {cost, static_cast<std::int32_t>(action)};
            push(cost, bit);
        } else if (cost == label.cost && cost > current && static_cast<std::int32_t>(action) < label.supporter) {
            // Not taken from the queue yet (its cost is above the current
            // one), so nothing depends on its supporter so far.
            label.supporter = static_cast<std::int32_t>(action);
        }
    }
}

std::int32_t RelaxedExploration::explore(const std::uint64_t* state, bool whole) {
    std::fill(labels.begin(), labels.end(), FactLabel{infiniteValue, -1});
    std::copy(startProgress.begin(), startProgress.end(), progress.begin());
    for (auto& bucket : buckets) bucket.clear();
    overflow.clear();
    queued = 0;
    current = 0;
    if (relaxed.goalNeverReached()) return infiniteValue;

    const std::size_t words = relaxed.packed().words();
    for (std::size_t word = 0; word < words; ++word) {
        for (std::uint64_t set = state[word]; set != 0; set &= set - 1) {
            const auto bit = static_cast<std::uint32_t>(word * 64 + static_cast<std::size_t>(std::countr_zero(set)));
            labels[bit].cost = 0;
            push(0, bit);
        }
    }
    const bool summing = combine == RelaxedCombine::sum;
    for (std::uint32_t action : relaxed.unconditional()) fire(action, relaxed.cost(action));

    std::size_t goalsOpen = relaxed.goal().size();
    std::int32_t goalCost = 0;
    while (queued > 0 && (whole || goalsOpen > 0)) {
        std::uint32_t bit;
        std::int32_t cost;
        if (current < bucketLimit) {
            if (static_cast<std::size_t>(current) >= buckets.size()) {
                // Only dearer entries are left; the next pushes cost at least as much.
                current = bucketLimit;
                continue;
            }
            if (buckets[current].empty()) {
                ++current;
                continue;
            }
            bit = buckets[current].back();
            buckets[current].pop_back();
            cost = current;
        } else {
            std::pop_heap(overflow.begin(), overflow.end(), std::greater<>());
            cost = overflow.back().first;
            bit = overflow.back().second;
            overflow.pop_back();
            current = cost;
        }
        --queued;
        if (cost > labels[bit].cost) continue;  // a cheaper entry came first
        if (isGoal[bit]) {
            --goalsOpen;
            goalCost = summing ? addCosts(goalCost, cost) : std::max(goalCost, cost);
        }
        for (std::uint32_t action : relaxed.consumers(bit)) {
            ActionProgress& step = progress[action];
            if (summing) step.summed = addCosts(step.summed, cost);
            if (--step.waitingFor == 0) fire(action, addCosts(summing ? step.summed : cost, relaxed.cost(action)));
        }
    }
    return goalsOpen > 0 ? infiniteValue : goalCost;
}

}  // namespace vexmolda

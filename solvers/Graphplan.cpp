#include "solvers/Graphplan.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <span>

#include "solvers/CycleCounter.h"
#include "solvers/StateReachability.h"

namespace vexmolda {

Graphplan::Graphplan() : graphHolder(std::make_shared<PlanningGraph>()), graph(*graphHolder) {}

bool Graphplan::solve(const SolveTask& task, SolveResult& result, SolveContext& context) {
    const State& initial = task.initial;
    const State& goal = task.goal;
    control = &context.control;
    result.graph = graphHolder;
    // A cleared graph counts as changed, so the first expansion runs.
    graph.clearGraph();
    graph.buildLevelZero(initial, task.instances, task.facts.size());
    std::uint64_t expandCycles = 0;
    std::uint64_t searchCycles = 0;
    std::size_t previousMemoSize = 0;
    std::uint32_t level = 1;
    bool found = false;
    // Whether the goals can be reached at all, decided once when first asked.
    enum class Reachability { unknown, reachable, unreachable } reachability = Reachability::unknown;

    for (;;) {
        control->first.store(level, std::memory_order_relaxed);
        std::uint64_t start = readCycleCounter();
        graph.expand(level);
        expandCycles += readCycleCounter() - start;
        start = readCycleCounter();
        found = startSearch(level, goal);
        searchCycles += readCycleCounter() - start;
        if (found) {
            result.planShown = true;
            break;
        }
        if (stopping) break;
        if (!graph.changed) {
            // A levelled-off graph with a memo that gained no key is not proof
            // enough: a stage may only raise the levels of known keys while a
            // later, deeper stage still succeeds. So that sign is confirmed by
            // an exhaustive search of the reachable states. It never stops a
            // solvable problem: every plan this search can find is a sequence
            // of instances from the initial state to the goals, so when no such
            // sequence exists no stage can succeed, and when one exists this
            // exit is never taken. An unsolvable problem ends at the first
            // stage where the memo stopped growing, as it always did.
            if (noGoods.size() == previousMemoSize) {
                if (reachability == Reachability::unknown) {
                    reachability = goalReachable(initial, goal, task.instances, task.facts.size(), control)
                                       ? Reachability::reachable
                                       : Reachability::unreachable;
                }
                if (reachability == Reachability::unreachable) break;
            } else {
                previousMemoSize = noGoods.size();
            }
        }
        if (++level == 0) break;
    }
    result.statistics.levels = level;
    result.statistics.recursions = searchCalls;
    result.statistics.memoEntries = static_cast<std::uint32_t>(noGoods.size());
    result.statistics.memoHits = noGoodHits;

    char line[256];
    std::snprintf(line, sizeof line, "Graph (d%d): %.2fms, Search: %.2fms (%d recs, hash entries/hits %u/%d)\n",
                  static_cast<int>(level), static_cast<double>(expandCycles) / 2000000.0,
                  static_cast<double>(searchCycles) / 2000000.0, searchCalls,
                  static_cast<unsigned>(noGoods.size()), noGoodHits);
    result.log.append(line);
    return found;
}

bool Graphplan::startSearch(std::uint32_t level, const State& goal) {
    const auto deepest = static_cast<std::uint32_t>(graph.deepestLevel());
    const std::uint32_t top = std::min(level, deepest);
    const std::uint32_t present = graph.factLevelEnd[top + 1];
    std::vector<std::uint32_t> goals;
    for (const Fact* fact : goal) {
        const std::int64_t id = graph.factNodeOf(fact);
        if (id < 0 || id >= present) return false;
        for (std::uint32_t earlier : goals) {
            if (graph.factNodes[earlier].mutex[top].test(static_cast<std::uint32_t>(id))) return false;
        }
        goals.push_back(static_cast<std::uint32_t>(id));
    }
    return searchLevel(static_cast<std::int32_t>(level), goals);
}

namespace {

// A stack of equally long bit rows in one array sized once for its deepest
// use; pushing copies the top row.
class RowStack {
public:
    RowStack(std::size_t wordsPerRow, std::size_t maxRows) : width(wordsPerRow), words(wordsPerRow * maxRows, 0u) {}
    void pushCopy() {
        assert((rows + 1) * width <= words.size());
        std::copy_n(words.begin() + (rows - 1) * width, width, words.begin() + rows * width);
        ++rows;
    }
    void pop() { --rows; }
    std::span<std::uint32_t> top() { return {words.data() + (rows - 1) * width, width}; }
    bool test(std::uint32_t bit) { return (top()[bit >> 5] >> (bit & 31u)) & 1u; }
    void set(std::uint32_t bit) { top()[bit >> 5] |= 1u << (bit & 31u); }
    void orWith(const BitRow& row) {
        auto target = top();
        const std::size_t common = std::min(row.words.size(), width);
        for (std::size_t i = 0; i < common; ++i) target[i] |= row.words[i];
    }

private:
    std::size_t width;
    std::size_t rows = 1;
    std::vector<std::uint32_t> words;
};

}  // namespace

bool Graphplan::searchLevel(std::int32_t level, const std::vector<std::uint32_t>& goals) {
    ++searchCalls;
    if (stopping || control->shouldStop()) {
        stopping = true;
        return false;
    }
    control->second.store(static_cast<std::uint64_t>(searchCalls), std::memory_order_relaxed);
    control->third.store(noGoods.size(), std::memory_order_relaxed);
    if (level < 1) return true;
    // No goals left: this level and those below contribute empty layers.
    if (goals.empty()) {
        if (!searchLevel(level - 1, goals)) return false;
        plan.layers.emplace_back();
        return true;
    }

    const auto deepest = static_cast<std::uint32_t>(graph.deepestLevel());
    const std::uint32_t graphLevel = std::min(static_cast<std::uint32_t>(level), deepest);
    const std::uint32_t actionsPresent = graph.actionLevelEnd[graphLevel + 1];
    // Rows of one level all have these widths, the actions' mutex rows included.
    const std::size_t goalCount = goals.size();
    // The base row and one per goal.
    RowStack factsStack(wordsFor(graph.factLevelEnd[graphLevel + 1]), goalCount + 1);
    RowStack excludedStack(wordsFor(actionsPresent), goalCount + 1);
    std::vector<std::uint32_t> chosen;
    std::vector<std::uint32_t> subgoals;

    std::vector<std::vector<std::uint32_t>> candidates(goalCount);
    std::vector<std::size_t> cursor(goalCount, 0);
    std::vector<bool> choseFor(goalCount, false);
    for (std::size_t k = 0; k < goalCount; ++k) {
        for (std::uint32_t producer : graph.factNodes[goals[k]].producers) {
            if (producer < actionsPresent) candidates[k].push_back(producer);
        }
    }

    std::int64_t goal = 0;
    for (;;) {
        if (cursor[0] >= candidates[0].size()) return false;

        bool conflict = false;
        while (goal < static_cast<std::int64_t>(goalCount)) {
            factsStack.pushCopy();
            excludedStack.pushCopy();
            const std::uint32_t candidate = candidates[goal][cursor[goal]];
            choseFor[goal] = false;
            if (excludedStack.test(candidate)) {
                conflict = true;
                break;
            }
            if (!factsStack.test(goals[goal])) {
                const ActionNode& action = graph.actionNodes[candidate];
                excludedStack.orWith(action.mutex[graphLevel]);
                chosen.push_back(candidate);
                choseFor[goal] = true;
                for (std::uint32_t fact : action.adds) factsStack.set(fact);
            }
            ++goal;
        }

        if (!conflict) {
            std::fill(factsStack.top().begin(), factsStack.top().end(), 0u);
            subgoals.clear();
            for (std::uint32_t action : chosen) {
                for (std::uint32_t fact : graph.actionNodes[action].pres) {
                    if (!factsStack.test(fact)) {
                        subgoals.push_back(fact);
                        factsStack.set(fact);
                    }
                }
            }
            std::sort(subgoals.begin(), subgoals.end());
            if (noGoods.prunes(factsStack.top(), level)) {
                ++noGoodHits;
            } else if (searchLevel(level - 1, subgoals)) {
                auto& layer = plan.layers.emplace_back();
                for (std::uint32_t action : chosen) {
                    if (OperationInstance* instance = graph.actionNodes[action].instance) layer.push_back(instance);
                }
                return true;
            } else {
                noGoods.record(factsStack.top(), level);
            }
            goal = static_cast<std::int64_t>(goalCount) - 1;
        }

        // Backtrack from goal: undo its step, try its next candidate, or fall back a goal.
        for (;;) {
            factsStack.pop();
            excludedStack.pop();
            if (choseFor[goal]) {
                chosen.pop_back();
                choseFor[goal] = false;
            }
            if (++cursor[goal] < candidates[goal].size()) break;
            if (goal > 0) cursor[goal] = 0;
            if (--goal < 0) break;
        }
        if (goal < 0) goal = 0;
    }
}

}  // namespace vexmolda

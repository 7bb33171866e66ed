#include "solvers/Graphplan.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstdio>
#include <optional>
#include <span>

#include "solvers/CycleCounter.h"
#include "solvers/StateReachability.h"

namespace vexmolda {

const CounterLabels& GraphplanStatistics::progressLabels() const {
    static constexpr CounterLabels labels{{{"level", true}, {"recursions"}, {"memo entries"}}};
    return labels;
}

std::vector<StatisticsField> GraphplanStatistics::fields() const {
    return {{"levels", std::uint64_t{levels}},
            {"recursions", static_cast<std::uint64_t>(recursions)},
            {"memo_entries", std::uint64_t{memoEntries}},
            {"memo_hits", static_cast<std::uint64_t>(memoHits)}};
}

Graphplan::Graphplan() : graphHolder(std::make_shared<PlanningGraph>()), graph(*graphHolder) {}

bool Graphplan::solve(const SolveTask& task, SolveResult& result, SolveContext& context) {
    const State& initial = task.initial;
    const State& goal = task.goal;
    control = &context.control;
    result.graph = graphHolder;
    // A cleared graph counts as changed, so the first expansion runs.
    graph.clearGraph();
    rows.clear();
    graph.buildLevelZero(initial, task.instances, task.facts.size());
    std::uint64_t expandCycles = 0;
    std::uint64_t searchCycles = 0;
    std::size_t previousMemoSize = 0;
    std::uint32_t level = 1;
    bool found = false;
    // Whether the goals can be reached at all, decided once when first asked.
    std::optional<GoalReachability> reachability;

    for (;;) {
        control->first.store(level, std::memory_order_relaxed);
        // Every level polls: a levelled-off level whose goals are mutex makes
        // no search call, and it may go on for a long time.
        if (control->shouldStop()) {
            stopping = true;
            break;
        }
        std::uint64_t start = readCycleCounter();
        const bool expanded = graph.expand(level, control);
        expandCycles += readCycleCounter() - start;
        if (!expanded) {
            stopping = true;
            break;
        }
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
            // stage where the memo stopped growing.
            if (noGoods.size() == previousMemoSize) {
                if (!reachability) {
                    reachability = goalReachability(initial, goal, task.instances, task.facts.size(), control);
                }
                if (*reachability == GoalReachability::stopped) stopping = true;
                if (*reachability != GoalReachability::reachable) break;
            } else {
                previousMemoSize = noGoods.size();
            }
        }
        if (++level == 0) break;
    }
    counts.levels = level;
    counts.recursions = searchCalls;
    counts.memoEntries = static_cast<std::uint32_t>(noGoods.size());
    counts.memoHits = noGoodHits;

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

bool testWideBit(const std::uint64_t* row, std::uint32_t bit) { return (row[bit >> 6] >> (bit & 63u)) & 1u; }

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
    // Subgoal rows have the memo's key width, in 32-bit words; the search's
    // own rows (facts reached, actions excluded) are of 64-bit words.
    const std::size_t factWidth = wordsFor(graph.factLevelEnd[graphLevel + 1]);
    const std::size_t actionWidth = GraphSearchRows::rowWords(actionsPresent);
    const std::size_t reachedWidth = GraphSearchRows::rowWords(graph.factLevelEnd[graphLevel + 1]);
    const std::size_t goalCount = goals.size();
    const std::uint64_t* mutexRows = rows.mutexRows(graph, graphLevel);
    const std::uint64_t* addsRows = rows.addsRows(graph, graphLevel);
    const std::uint32_t* presRows = rows.presRows(graph, graphLevel);

    // This level's working data, kept between calls so a search allocates
    // only while it goes deeper than before.
    if (frames.size() <= static_cast<std::size_t>(level)) frames.resize(static_cast<std::size_t>(level) + 1);
    SearchFrame& frame = frames[static_cast<std::size_t>(level)];
    frame.candidates.clear();
    frame.candidateBegin.assign(1, 0);
    for (std::size_t k = 0; k < goalCount; ++k) {
        for (std::uint32_t producer : graph.factNodes[goals[k]].producers) {
            if (producer < actionsPresent) frame.candidates.push_back(producer);
        }
        frame.candidateBegin.push_back(static_cast<std::uint32_t>(frame.candidates.size()));
    }
    frame.cursor.assign(goalCount, 0);
    frame.choseFor.assign(goalCount, 0);
    frame.chosen.clear();
    // Row g + 1 holds the facts reached and the actions excluded after goal g
    // when goal g chose an action; otherwise the rows before it still hold.
    // The source of goal g says which row holds the state it starts from.
    frame.factRows.assign((goalCount + 1) * reachedWidth, 0u);
    frame.excludedRows.assign((goalCount + 1) * actionWidth, 0u);
    frame.source.assign(goalCount + 1, 0);
    frame.subgoalRow.assign(factWidth, 0u);
    const std::uint32_t* candidates = frame.candidates.data();
    const std::uint32_t* candidateBegin = frame.candidateBegin.data();
    std::uint32_t* cursor = frame.cursor.data();
    std::uint8_t* choseFor = frame.choseFor.data();
    std::uint32_t* source = frame.source.data();
    std::vector<std::uint32_t>& chosen = frame.chosen;
    std::vector<std::uint32_t>& subgoals = frame.subgoals;

    const auto candidateCount = [&](std::size_t k) { return candidateBegin[k + 1] - candidateBegin[k]; };
    std::int64_t goal = 0;
    // Choices the memo prunes make no call, so the level polls as it goes:
    // every 16th choice, as the control's counter is written in memory the
    // loop's own rows might share, and each write makes it read them again.
    std::uint32_t choicesUntilPoll = 1;
    for (;;) {
        if (cursor[0] >= candidateCount(0)) return false;
        if (--choicesUntilPoll == 0) {
            choicesUntilPoll = 16;
            if (control->shouldStop()) {
                stopping = true;
                return false;
            }
        }

        bool complete = true;
        while (goal < static_cast<std::int64_t>(goalCount)) {
            assert(cursor[goal] < candidateCount(goal));
            const std::uint32_t from = source[goal];
            const std::uint64_t* facts = frame.factRows.data() + from * reachedWidth;
            const std::uint64_t* excluded = frame.excludedRows.data() + from * actionWidth;
            choseFor[goal] = 0;
            // Excluded candidates are passed over here, as the backtracking
            // below would pass them one by one.
            const std::uint32_t* list = candidates + candidateBegin[goal];
            const std::uint32_t end = candidateCount(goal);
            std::uint32_t at = cursor[goal];
            while (at < end && testWideBit(excluded, list[at])) ++at;
            if (at == end) {
                cursor[goal] = end - 1;
                complete = false;
                break;
            }
            cursor[goal] = at;
            const std::uint32_t candidate = list[at];
            if (!testWideBit(facts, goals[goal])) {
                const auto next = static_cast<std::uint32_t>(goal + 1);
                std::uint64_t* nextFacts = frame.factRows.data() + next * reachedWidth;
                std::uint64_t* nextExcluded = frame.excludedRows.data() + next * actionWidth;
                const std::uint64_t* adds = addsRows + candidate * reachedWidth;
                for (std::size_t i = 0; i < reachedWidth; ++i) nextFacts[i] = facts[i] | adds[i];
                const std::uint64_t* mutex = mutexRows + candidate * actionWidth;
                for (std::size_t i = 0; i < actionWidth; ++i) nextExcluded[i] = excluded[i] | mutex[i];
                chosen.push_back(candidate);
                choseFor[goal] = 1;
                source[goal + 1] = next;
            } else {
                source[goal + 1] = from;
            }
            ++goal;
        }

        if (complete) {
            std::uint32_t* subgoalRow = frame.subgoalRow.data();
            std::fill(subgoalRow, subgoalRow + factWidth, 0u);
            for (std::uint32_t action : chosen) {
                const std::uint32_t* pres = presRows + action * factWidth;
                for (std::size_t i = 0; i < factWidth; ++i) subgoalRow[i] |= pres[i];
            }
            const std::span<const std::uint32_t> subgoalSet(subgoalRow, factWidth);
            if (noGoods.prunes(subgoalSet, level)) {
                ++noGoodHits;
            } else {
                // The next level's goals, ascending, read off the row only
                // when the memo does not settle them.
                subgoals.clear();
                for (std::size_t word = 0; word < factWidth; ++word) {
                    for (std::uint32_t bits = subgoalRow[word]; bits; bits &= bits - 1) {
                        subgoals.push_back(static_cast<std::uint32_t>(word * 32 + std::countr_zero(bits)));
                    }
                }
                if (searchLevel(level - 1, subgoals)) {
                    auto& layer = plan.layers.emplace_back();
                    for (std::uint32_t action : chosen) {
                        if (OperationInstance* instance = graph.actionNodes[action].instance) layer.push_back(instance);
                    }
                    return true;
                }
                if (control->memoryLimitBytes > 0 &&
                    control->wouldPassMemoryLimit(noGoods.bytesUsed(), noGoods.growthBytes(factWidth))) {
                    stopping = true;
                    return false;
                }
                noGoods.record(subgoalSet, level);
            }
            goal = static_cast<std::int64_t>(goalCount) - 1;
        }

        // Backtrack from goal: undo its step, try its next candidate, or fall back a goal.
        for (;;) {
            if (choseFor[goal]) {
                chosen.pop_back();
                choseFor[goal] = 0;
            }
            if (++cursor[goal] < candidateCount(goal)) break;
            if (goal > 0) cursor[goal] = 0;
            if (--goal < 0) break;
        }
        if (goal < 0) goal = 0;
    }
}

}  // namespace vexmolda

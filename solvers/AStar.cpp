#include "solvers/AStar.h"

#include <algorithm>
#include <cassert>
#include <vector>

#include "solvers/ChunkedArray.h"
#include "solvers/PackedStateTable.h"
#include "solvers/PackedTask.h"
#include "solvers/SearchHeap.h"
#include "solvers/StateOperations.h"
#include "solvers/GreedySearch.h"
#include "solvers/WeightedAStar.h"

namespace vexmolda {

namespace {

// How a stored state was last reached. A state is queued at most once at a
// time, and a state that has a queued child is closed and never queued again,
// so one record per state describes every node still needed.
struct StateNode {
    std::uint32_t parent;   // state number; none for the start state
    std::int32_t instance;  // the step that led here; -1 for the start state
};

enum : std::uint8_t { waitingMark = 1, closedMark = 2 };

// One run's working data: the stored states, their nodes and marks, the queue.
class AStarSearch {
public:
    AStarSearch(const SolveTask& task, WorkControl& control)
        : task(task),
          packed(task.instances, task.initial, task.goal, task.facts.size()),
          control(control),
          states(packed.words()),
          parentWords(packed.words()) {}

    // Runs the search from the initial state; the final node is kept for
    // fillPlan (the goal node, or the last node taken when none was found).
    // Ends unsuccessfully when the control asks it to stop.
    bool run(AStarStatistics& statistics);
    std::size_t bytesUsed() const {
        return states.bytesUsed() + nodes.bytesUsed() + marks.bytesUsed() + open.capacity() * sizeof(HeapEntry) +
               successors.capacity() * sizeof(std::uint64_t) + successorHashes.capacity() * sizeof(std::uint64_t) +
               successorInstances.capacity() * sizeof(std::int32_t);
    }
    // At most what one expansion with that many applicable instances allocates.
    std::size_t growthBytes(std::size_t applicable) const {
        const std::size_t stored = states.size() + applicable;
        // collectSuccessors sizes its vectors to the applicable count.
        const std::size_t successorBytes =
            applicable > successorHashes.size()
                ? applicable * (packed.words() * sizeof(std::uint64_t) + sizeof(std::uint64_t) + sizeof(std::int32_t))
                : 0;
        return states.growthBytes(applicable) + nodes.growthBytes(stored) + marks.growthBytes(stored) +
               open.growthBytes(applicable) + successorBytes;
    }
    std::size_t statesStored() const { return states.size(); }
    void fillPlan(Plan& plan) const;

private:
    std::uint32_t store(const std::uint64_t* state, std::uint64_t hash, StateNode node);
    // Applies every applicable instance to the parent and asks for the table's
    // memory of each changed successor, so the misses overlap; the successors
    // are then taken one by one, in order, as if made one at a time.
    void collectSuccessors();
    std::uint64_t* successorWords(std::size_t k) { return successors.data() + k * packed.words(); }

    const SolveTask& task;
    PackedTask packed;
    WorkControl& control;
    PackedStateTable states;
    ChunkedArray<StateNode> nodes;
    ChunkedArray<std::uint8_t> marks;
    SearchHeap open;
    std::vector<std::uint64_t> parentWords;
    std::vector<std::int32_t> applicableIds;
    // This expansion's changed successors: words, hashes and instances.
    std::vector<std::uint64_t> successors;
    std::vector<std::uint64_t> successorHashes;
    std::vector<std::int32_t> successorInstances;
    std::size_t successorCount = 0;
    std::uint32_t resultState = PackedStateTable::none;
    std::int32_t resultCost = 0;
};

std::uint32_t AStarSearch::store(const std::uint64_t* state, std::uint64_t hash, StateNode node) {
    const std::uint32_t number = states.insertNew(state, hash);
    nodes.growTo(number + 1);
    marks.growTo(number + 1);
    nodes[number] = node;
    marks[number] = 0;
    return number;
}

bool AStarSearch::run(AStarStatistics& statistics) {
    const std::uint64_t* initial = packed.initialBits().data();
    const std::uint32_t start = store(initial, states.hashOf(initial), {PackedStateTable::none, -1});
    marks[start] = waitingMark;
    resultState = start;
    open.push({packed.openGoals(initial), start});

    while (!open.empty()) {
        if (control.shouldStop()) return false;
        const HeapEntry top = open.top();
        open.pop();
        const std::uint32_t parent = top.node;
        marks[parent] &= ~waitingMark;
        resultState = parent;
        resultCost = top.cost;
        ++statistics.expanded;
        control.first.store(statistics.expanded, std::memory_order_relaxed);
        control.second.store(states.size(), std::memory_order_relaxed);

        const std::uint64_t* stored = states.state(parent);
        parentWords.assign(stored, stored + packed.words());
        // The steps taken so far: the queued cost less the open goals.
        const std::int32_t steps = top.cost - packed.openGoals(parentWords.data());
        packed.applicable(parentWords.data(), applicableIds);
        // Resident memory shows a growth only once its pages are touched, so
        // the search counts what it holds and what this expansion may add.
        if (control.memoryLimitBytes > 0 &&
            control.wouldPassMemoryLimit(bytesUsed(), growthBytes(applicableIds.size()))) {
            return false;
        }
        collectSuccessors();
        for (std::size_t k = 0; k < successorCount; ++k) {
            const std::uint64_t* successor = successorWords(k);
            const std::uint64_t hash = successorHashes[k];
            const std::int32_t instance = successorInstances[k];
            const std::uint32_t known = states.find(successor, hash);
            if (known != PackedStateTable::none && marks[known] != 0) continue;
            const std::int32_t goalsOpen = packed.openGoals(successor);
            const StateNode child{parent, instance};
            if (goalsOpen == 0) {
                if (known == PackedStateTable::none) {
                    resultState = store(successor, hash, child);
                } else {
                    nodes[known] = child;
                    resultState = known;
                }
                return true;
            }
            std::uint32_t number = known;
            if (number == PackedStateTable::none) {
                number = store(successor, hash, child);
            } else {
                nodes[number] = child;
            }
            marks[number] = waitingMark;
            open.push({goalsOpen + steps + 1, number});
            marks[parent] |= closedMark;
            ++statistics.generated;
        }
    }
    return false;
}

void AStarSearch::collectSuccessors() {
    const std::size_t words = packed.words();
    if (successorHashes.size() < applicableIds.size()) {
        successors.resize(applicableIds.size() * words);
        successorHashes.resize(applicableIds.size());
        successorInstances.resize(applicableIds.size());
    }
    successorCount = 0;
    for (std::int32_t instance : applicableIds) {
        std::uint64_t* successor = successorWords(successorCount);
        if (!packed.apply(parentWords.data(), instance, successor)) continue;
        const std::uint64_t hash = states.hashOf(successor);
        states.prefetchSlot(hash);
        successorHashes[successorCount] = hash;
        successorInstances[successorCount] = instance;
        ++successorCount;
    }
    for (std::size_t k = 0; k < successorCount; ++k) {
        const std::uint32_t candidate = states.prefetchCandidate(successorHashes[k]);
        if (candidate != PackedStateTable::none) __builtin_prefetch(&marks[candidate]);
    }
}

void AStarSearch::fillPlan(Plan& plan) const {
    plan.state.clear();
    for (std::int32_t fact : packed.factIds(states.state(resultState))) plan.state.insert(task.facts[fact]);
    plan.cost = resultCost;
    std::vector<OperationInstance*> steps;
    for (std::uint32_t number = resultState; nodes[number].instance >= 0; number = nodes[number].parent) {
        steps.push_back(task.instances[nodes[number].instance]);
    }
    plan.steps.assign(steps.rbegin(), steps.rend());
}

}  // namespace

const CounterLabels& AStarStatistics::progressLabels() const {
    static constexpr CounterLabels labels{{{"expanded"}, {"states"}, {}}};
    return labels;
}

std::vector<StatisticsField> AStarStatistics::fields() const {
    std::vector<StatisticsField> result = {
        {"expanded", expanded}, {"generated", generated}, {"states", statesStored}, {"state_bytes", bytesUsed}};
    if (!withHeuristic.heuristic.empty()) appendHeuristicFields(withHeuristic, result);
    return result;
}

void AStarStatistics::adoptStoppedCounters(const WorkControl& control) {
    // A run that ran out of memory unwound before it counted its states.
    statesStored = std::max(statesStored, control.second.load(std::memory_order_relaxed));
}

bool aStar::solve(const SolveTask& task, SolveResult& result, SolveContext& context) {
    if (openGoalCount(task.initial, task.goal) == 0) return true;
    AStarStatistics& statistics = counts;
    if (!task.heuristic.empty() && task.heuristic != "default") return solveWithHeuristic(task, result, context);
    const double start = threadCpuSeconds();
    AStarSearch search(task, context.control);
    statistics.preparationSeconds = threadCpuSeconds() - start;
    const bool found = search.run(statistics);
    search.fillPlan(plan);
    statistics.statesStored = search.statesStored();
    statistics.bytesUsed = search.bytesUsed();
    if (found) result.planShown = true;
    return found;
}

bool aStar::solveWithHeuristic(const SolveTask& task, SolveResult& result, SolveContext& context) {
    SearchCounters& counters = counts.withHeuristic;
    std::unique_ptr<SearchSpace> space = prepareSearch(task, task.heuristic, result, counters);
    std::uint32_t last = 0;
    const bool found = weightedAStarSearch(*space, 1, context.control, counters, last, true);
    space->fillPlan(last, plan);
    counts.expanded = counters.expanded;
    counts.generated = counters.generated;
    counts.statesStored = counters.states;
    counts.bytesUsed = counters.stateBytes;
    counts.preparationSeconds = counters.preparationSeconds;
    if (found) result.planShown = true;
    return found;
}

}  // namespace vexmolda

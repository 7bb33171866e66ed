#include "solvers/AStar.h"

#include <algorithm>
#include <vector>

#include "solvers/SearchHeap.h"
#include "solvers/StateOperations.h"
#include "solvers/StateStore.h"
#include "solvers/SuccessorGenerator.h"

namespace vexmolda {

namespace {

// A search node: its state and the last step, the rest through the parent.
struct SearchNode {
    std::int32_t state;
    std::int32_t parent;    // -1 for the start node
    std::int32_t instance;  // the step that led here; -1 for the start node
    std::int32_t steps;
    std::int32_t cost;
};

// One run's working data: nodes, stored states, the queue and the marks.
class Search {
public:
    Search(const SolveTask& task, const SuccessorGenerator& generator, WorkControl& control)
        : task(task), generator(generator), control(control), inState((task.facts.size() + 63) / 64, 0) {
        const State& goal = task.goal;
        for (const Fact* fact : goal) goalIds.push_back(fact->id);
    }

    // Runs the search from the initial state; the final node is reported in
    // resultNode (the goal node, or the last node taken when none was found).
    // Ends unsuccessfully when the control asks it to stop.
    bool run(SolverStatistics& statistics);
    std::size_t bytesUsed() const {
        return states.bytesUsed() + nodes.capacity() * sizeof(SearchNode) +
               waitingInOpen.capacity() * sizeof(std::uint32_t) + closed.capacity() / 8;
    }
    std::size_t statesStored() const { return states.size(); }
    // The plan ending in resultNode, with the given cost.
    void fillPlan(Plan& plan) const;

private:
    void markState(std::span<const std::int32_t> facts, bool on);
    // The successor's facts: the state less the deletes, plus the adds.
    void successorFacts(std::span<const std::int32_t> state, const GroundAction& action);
    bool changesState(const GroundAction& action) const;
    std::int32_t openGoals() const;

    const SolveTask& task;
    const SuccessorGenerator& generator;
    WorkControl& control;
    std::vector<std::int32_t> goalIds;
    std::vector<std::uint64_t> inState;  // bits of the state being expanded
    std::vector<std::int32_t> successor;
    std::vector<std::int32_t> applicableIds;
    StateStore states;
    std::vector<SearchNode> nodes;
    std::vector<std::uint32_t> waitingInOpen;  // by state number
    std::vector<bool> closed;                  // by state number
    SearchHeap open;
    SearchNode resultNode{};
    std::int32_t resultCost = 0;
};

void Search::markState(std::span<const std::int32_t> facts, bool on) {
    for (std::int32_t fact : facts) {
        auto& word = inState[static_cast<std::size_t>(fact) >> 6];
        const std::uint64_t bit = std::uint64_t{1} << (fact & 63);
        word = on ? word | bit : word & ~bit;
    }
}

bool Search::changesState(const GroundAction& action) const {
    for (std::int32_t fact : action.add) {
        if (!hasBit(inState, fact)) return true;
    }
    for (std::int32_t fact : action.del) {
        if (hasBit(inState, fact) && std::find(action.add.begin(), action.add.end(), fact) == action.add.end()) {
            return true;
        }
    }
    return false;
}

void Search::successorFacts(std::span<const std::int32_t> state, const GroundAction& action) {
    successor.clear();
    for (std::int32_t fact : state) {
        if (std::find(action.del.begin(), action.del.end(), fact) == action.del.end()) successor.push_back(fact);
    }
    for (std::int32_t fact : action.add) {
        if (std::find(successor.begin(), successor.end(), fact) == successor.end()) successor.push_back(fact);
    }
    std::sort(successor.begin(), successor.end());
}

std::int32_t Search::openGoals() const {
    std::int32_t open = 0;
    for (std::int32_t goal : goalIds) {
        if (!std::binary_search(successor.begin(), successor.end(), goal)) ++open;
    }
    return open;
}

bool Search::run(SolverStatistics& statistics) {
    std::vector<std::int32_t> start;
    for (const Fact* fact : task.initial) start.push_back(fact->id);
    std::sort(start.begin(), start.end());
    successor = start;
    const std::int32_t startState = states.insert(start);
    nodes.push_back({startState, -1, -1, 0, openGoals()});
    waitingInOpen.assign(1, 1);
    closed.assign(1, false);
    open.push({nodes.back().cost, 0});

    while (!open.empty()) {
        if (control.shouldStop()) return false;
        const std::uint32_t parentIndex = open.top().node;
        open.pop();
        const SearchNode parent = nodes[parentIndex];
        --waitingInOpen[parent.state];
        resultNode = parent;
        resultCost = parent.cost;
        ++statistics.expanded;
        control.first.store(statistics.expanded, std::memory_order_relaxed);
        control.second.store(states.size(), std::memory_order_relaxed);

        const auto parentFacts = states.facts(parent.state);
        const std::vector<std::int32_t> parentCopy(parentFacts.begin(), parentFacts.end());
        markState(parentCopy, true);
        generator.applicable(parentCopy, inState, applicableIds);
        for (std::int32_t instance : applicableIds) {
            const GroundAction& action = generator.action(instance);
            if (!changesState(action)) continue;
            successorFacts(parentCopy, action);
            const std::int32_t known = states.find(successor);
            if (known != StateStore::none && (waitingInOpen[known] > 0 || closed[known])) continue;
            const std::int32_t goalsOpen = openGoals();
            const SearchNode child{known, static_cast<std::int32_t>(parentIndex), instance, parent.steps + 1,
                                   goalsOpen + parent.steps + 1};
            if (goalsOpen == 0) {
                resultNode = child;
                resultNode.state = states.insert(successor);
                markState(parentCopy, false);
                return true;
            }
            const std::int32_t stored = known != StateStore::none ? known : states.insert(successor);
            if (static_cast<std::size_t>(stored) >= waitingInOpen.size()) {
                waitingInOpen.resize(stored + 1, 0);
                closed.resize(stored + 1, false);
            }
            nodes.push_back(child);
            nodes.back().state = stored;
            ++waitingInOpen[stored];
            open.push({child.cost, static_cast<std::uint32_t>(nodes.size() - 1)});
            closed[parent.state] = true;
            ++statistics.generated;
        }
        markState(parentCopy, false);
    }
    return false;
}

void Search::fillPlan(Plan& plan) const {
    plan.state.clear();
    for (std::int32_t fact : states.facts(resultNode.state)) plan.state.insert(task.facts[fact]);
    plan.cost = resultCost;
    std::vector<OperationInstance*> steps;
    for (SearchNode node = resultNode; node.instance >= 0; node = nodes[node.parent]) {
        steps.push_back(task.instances[node.instance]);
    }
    plan.steps.assign(steps.rbegin(), steps.rend());
}

}  // namespace

bool aStar::solve(const SolveTask& task, SolveResult& result, SolveContext& context) {
    if (openGoalCount(task.initial, task.goal) == 0) return true;
    SuccessorGenerator generator;
    generator.build(task.instances, task.initial, task.facts.size());
    Search search(task, generator, context.control);
    SolverStatistics& statistics = result.statistics;
    const bool found = search.run(statistics);
    search.fillPlan(plan);
    statistics.statesStored = search.statesStored();
    statistics.bytesUsed = search.bytesUsed();
    if (found) result.planShown = true;
    return found;
}

}  // namespace vexmolda

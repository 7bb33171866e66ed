#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "command/Session.h"
#include "solvers/AdditiveHeuristic.h"
#include "solvers/GoalCountHeuristic.h"
#include "solvers/LandmarkCountHeuristic.h"
#include "solvers/MaxHeuristic.h"
#include "solvers/PackedTask.h"
#include "solvers/RelaxedPlanHeuristic.h"
#include "solvers/StateOperations.h"
#include "support/RandomDomain.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::session;

// The delete relaxation computed the literal way: sweeps over every instance
// until no fact's cost falls, over fact ids rather than packed bits.
std::int32_t naiveRelaxedCost(const State& state, const std::vector<std::int32_t>& costs, bool summing) {
    const std::int64_t unreached = std::int64_t{1} << 40;
    std::vector<std::int64_t> cost(session().model.facts.size(), unreached);
    for (const Fact* fact : state) cost[fact->id] = 0;
    for (bool changed = true; changed;) {
        changed = false;
        for (const auto& instance : session().instances) {
            std::int64_t total = costs[instance->id];
            bool possible = true;
            for (const Fact* fact : instance->pre()) {
                possible = possible && cost[fact->id] < unreached;
                total = summing ? total + cost[fact->id] : std::max(total, costs[instance->id] + cost[fact->id]);
            }
            if (!possible) continue;
            for (const Fact* fact : instance->add()) {
                if (total < cost[fact->id]) {
                    cost[fact->id] = total;
                    changed = true;
                }
            }
        }
    }
    std::int64_t goal = 0;
    for (const Fact* fact : session().model.goalState) {
        if (cost[fact->id] == unreached) return infiniteValue;
        goal = summing ? goal + cost[fact->id] : std::max(goal, cost[fact->id]);
    }
    return static_cast<std::int32_t>(goal);
}

// Every state reachable from the initial one, breadth first, with the
// predecessor of each (-1 for the initial state) and every transition.
struct Reachable {
    std::vector<State> states;
    std::vector<int> parent;
    struct Edge {
        int from, to, instance;
    };
    std::vector<Edge> edges;
    int firstGoal = -1;  // the first goal state met, the end of a shortest plan
};

Reachable breadthFirst() {
    Reachable reachable;
    reachable.states.push_back(session().model.initState);
    reachable.parent.push_back(-1);
    for (std::size_t next = 0; next < reachable.states.size(); ++next) {
        if (reachable.firstGoal < 0 && goalsHold(reachable.states[next], session().model.goalState)) {
            reachable.firstGoal = static_cast<int>(next);
        }
        for (const auto& instance : session().instances) {
            if (!goalsHold(reachable.states[next], instance->pre())) continue;
            State child = reachable.states[next];
            applyInstance(child, *instance);
            const auto known = std::find(reachable.states.begin(), reachable.states.end(), child);
            reachable.edges.push_back({static_cast<int>(next), static_cast<int>(known - reachable.states.begin()),
                                       instance->id});
            if (known != reachable.states.end()) continue;
            reachable.states.push_back(child);
            reachable.parent.push_back(static_cast<int>(next));
        }
    }
    return reachable;
}

// The cheapest plan's cost from each reachable state (infiniteValue: none),
// by relaxing the transitions until nothing falls.
std::vector<std::int64_t> cheapestToGoal(const Reachable& reachable, const std::vector<std::int32_t>& costs) {
    std::vector<std::int64_t> cost(reachable.states.size(), infiniteValue);
    for (std::size_t k = 0; k < reachable.states.size(); ++k) {
        if (goalsHold(reachable.states[k], session().model.goalState)) cost[k] = 0;
    }
    for (bool changed = true; changed;) {
        changed = false;
        for (const Reachable::Edge& edge : reachable.edges) {
            if (cost[edge.to] == infiniteValue || cost[edge.to] + costs[edge.instance] >= cost[edge.from]) continue;
            cost[edge.from] = cost[edge.to] + costs[edge.instance];
            changed = true;
        }
    }
    return cost;
}

// The relaxed plan, applied without deletes in any order its preconditions allow, reaches the goal.
bool reachesGoalWithoutDeletes(State state, const std::vector<const OperationInstance*>& plan) {
    for (bool changed = true; changed;) {
        changed = false;
        for (const OperationInstance* instance : plan) {
            if (!goalsHold(state, instance->pre())) continue;
            for (Fact* fact : instance->add()) changed = state.insert(fact) || changed;
        }
    }
    return goalsHold(state, session().model.goalState);
}

constexpr testing::RandomDomainShape randomShape{7, 8, 25, 30, 25, 30, 40};

TEST(Heuristics, RandomSmallTasksAgreeWithTheLiteralRelaxationAndTheirBounds) {
    std::uint32_t seed = 2024;
    int solvable = 0, relaxedDeadEnds = 0, ordered = 0, helpfulSeen = 0;
    for (int domain = 0; domain < 300; ++domain) {
        SCOPED_TRACE("domain " + std::to_string(domain));
        testing::freshSession();
        testing::runLines(testing::randomDomain(seed, randomShape));
        // Every other task with costs 0 to 3, so zero-cost ties are met too.
        std::vector<std::int32_t> costs(session().instances.size(), 1);
        if (domain % 2 == 1) {
            for (std::size_t id = 0; id < costs.size(); ++id) costs[id] = static_cast<std::int32_t>((seed >> (id % 24)) % 4);
        }
        const SolveTask task{session().model.facts, session().instances, session().model.initState,
                             session().model.goalState};
        const PackedTask packed(task.instances, task.initial, task.goal, task.facts.size());
        const RelaxedTask relaxed(packed, task, costs);
        MaxHeuristic hmax(relaxed);
        AdditiveHeuristic hadd(relaxed);
        RelaxedPlanHeuristic ff(relaxed);
        GoalCountHeuristic goalCount(relaxed);
        const Reachable reachable = breadthFirst();
        const std::vector<std::int64_t> cheapest = cheapestToGoal(reachable, costs);

        for (std::size_t k = 0; k < reachable.states.size(); ++k) {
            const State& state = reachable.states[k];
            const std::int32_t maxValue = hmax.evaluateState(state);
            const std::int32_t addValue = hadd.evaluateState(state);
            const std::int32_t ffValue = ff.evaluateState(state);
            ASSERT_EQ(maxValue, naiveRelaxedCost(state, costs, false));
            ASSERT_EQ(addValue, naiveRelaxedCost(state, costs, true));
            ASSERT_EQ(goalCount.evaluateState(state), openGoalCount(state, task.goal));
            ASSERT_EQ(ffValue == infiniteValue, maxValue == infiniteValue);
            // Admissible, and a relaxed dead end is a real one.
            ASSERT_LE(maxValue, cheapest[k]);
            if (maxValue == infiniteValue) {
                ++relaxedDeadEnds;
                continue;
            }
            ASSERT_LE(maxValue, ffValue);
            ASSERT_LE(ffValue, addValue);
            std::vector<const OperationInstance*> plan;
            std::int32_t planCost = 0;
            std::vector<std::int32_t> applicable;
            for (std::uint32_t action : ff.relaxedPlan()) {
                const OperationInstance* instance = task.instances[relaxed.instanceOf(action)];
                plan.push_back(instance);
                planCost += costs[instance->id];
                if (goalsHold(state, instance->pre())) applicable.push_back(instance->id);
            }
            ASSERT_EQ(ffValue, planCost);
            ASSERT_TRUE(reachesGoalWithoutDeletes(state, plan));
            ASSERT_EQ(std::vector<std::int32_t>(ff.preferred().begin(), ff.preferred().end()), applicable);
            helpfulSeen += !applicable.empty();
        }

        LandmarkCountHeuristic landmarks(relaxed);
        const std::int32_t initialMax = hmax.evaluateState(task.initial);
        ASSERT_EQ(landmarks.evaluateState(task.initial) == infiniteValue, initialMax == infiniteValue);
        if (reachable.firstGoal < 0) continue;
        ++solvable;

        // A shortest plan's states, first to last, and its landmark status along them.
        std::vector<State> path;
        for (int k = reachable.firstGoal; k >= 0; k = reachable.parent[k]) path.insert(path.begin(), reachable.states[k]);
        std::vector<std::uint64_t> words, status(landmarks.statusWords()), next(landmarks.statusWords());
        relaxed.pack(path.front(), words);
        landmarks.initialStatus(words.data(), status.data());
        for (std::size_t k = 1; k < path.size(); ++k) {
            relaxed.pack(path[k], words);
            landmarks.childStatus(status.data(), words.data(), next.data());
            status.swap(next);
        }
        // Every landmark is reached on the way, so at the goal none counts.
        EXPECT_EQ(landmarks.evaluate(words.data(), status.data()), 0);
        const LandmarkGraph& graph = landmarks.graph();
        for (std::size_t landmark = 0; landmark < graph.size(); ++landmark) {
            const Fact* fact = task.facts[relaxed.factOf(graph.bit(landmark))];
            auto holds = [&](const State& state) { return state.contains(fact); };
            const auto first = std::find_if(path.begin(), path.end(), holds);
            ASSERT_NE(first, path.end()) << factText(*fact) << " is never true on the plan";
            // Greedy-necessary: the earlier landmark holds right before this one first does.
            if (first == path.begin()) continue;
            for (std::uint32_t earlier : graph.before(landmark)) {
                ++ordered;
                ASSERT_TRUE((first - 1)->contains(task.facts[relaxed.factOf(graph.bit(earlier))]));
            }
        }
    }
    // Each kind of case occurs often enough to matter.
    EXPECT_GT(solvable, 60);
    EXPECT_GT(relaxedDeadEnds, 100);
    EXPECT_GT(ordered, 60);
    EXPECT_GT(helpfulSeen, 200);
}

}  // namespace
}  // namespace vexmolda

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "command/LoadFile.h"
#include "command/Session.h"
#include "domain/State.h"
#include "grounding/Grounding.h"
#include "solvers/AStar.h"
#include "solvers/SearchHeap.h"
#include "solvers/StateOperations.h"
#include "support/RandomDomain.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::runLines;
using testing::session;

// The search written the slow, literal way: full plan copies, a linear scan
// of the queue, every instance tried, the standard library's heap. The fast
// search must find the very same plan.
struct ReferenceResult {
    bool found = false;
    std::vector<OperationInstance*> steps;
    int cost = 0;
};

ReferenceResult referenceAStar(const State& initial, const State& goal) {
    struct Node {
        State state;
        int cost;
        std::vector<OperationInstance*> steps;
    };
    auto greaterCost = [](const Node& left, const Node& right) { return left.cost > right.cost; };
    ReferenceResult result;
    const int h0 = openGoalCount(initial, goal);
    if (h0 == 0) {
        result.found = true;
        return result;
    }
    std::vector<Node> open{{initial, h0, {}}};
    std::vector<State> closed;
    while (!open.empty()) {
        std::pop_heap(open.begin(), open.end(), greaterCost);
        const Node parent = open.back();
        open.pop_back();
        result.cost = parent.cost;
        result.steps = parent.steps;
        for (const auto& instance : session().instances) {
            Node child = parent;
            applyInstance(child.state, *instance);
            if (child.state == parent.state) continue;
            if (std::any_of(open.begin(), open.end(), [&](const Node& n) { return n.state == child.state; })) continue;
            if (std::find(closed.begin(), closed.end(), child.state) != closed.end()) continue;
            child.steps.push_back(instance);
            const int h = openGoalCount(child.state, goal);
            if (h == 0) {
                result.found = true;
                result.steps = child.steps;
                return result;
            }
            child.cost = h + static_cast<int>(child.steps.size());
            open.push_back(child);
            std::push_heap(open.begin(), open.end(), greaterCost);
            if (std::find(closed.begin(), closed.end(), parent.state) == closed.end()) closed.push_back(parent.state);
        }
    }
    return result;
}

// Runs the solver on the session's task and compares it with the reference.
void expectSameAsReference(aStar& solver) {
    const State& initState = session().model.initState;
    const State& goalState = session().model.goalState;
    const ReferenceResult expected = referenceAStar(initState, goalState);
    const SolveResult run = testing::solveDirectly(solver, 0);
    ASSERT_EQ(run.found, expected.found);
    if (!expected.found || expected.steps.empty()) return;
    EXPECT_EQ(solver.plan.steps, expected.steps);
    EXPECT_EQ(solver.plan.cost, expected.cost);
    EXPECT_TRUE(run.planShown);
    State reached = initState;
    for (const OperationInstance* step : solver.plan.steps) applyInstance(reached, *step);
    EXPECT_TRUE(goalsHold(reached, goalState));
    EXPECT_EQ(reached, solver.plan.state);
}

TEST(SearchHeap, EqualCostsLeaveInTheStandardHeapOrder) {
    // Same pushes and pops against the library heap with a greater-cost order.
    SearchHeap heap;
    std::vector<HeapEntry> reference;
    auto greaterCost = [](const HeapEntry& l, const HeapEntry& r) { return l.cost > r.cost; };
    unsigned seed = 7;
    for (std::uint32_t i = 0; i < 2000; ++i) {
        seed = seed * 1103515245u + 12345u;
        if (seed % 3 != 0 || reference.empty()) {
            const HeapEntry entry{static_cast<std::int32_t>((seed >> 16) % 5), i};
            heap.push(entry);
            reference.push_back(entry);
            std::push_heap(reference.begin(), reference.end(), greaterCost);
        } else {
            ASSERT_EQ(heap.top().node, reference.front().node);
            heap.pop();
            std::pop_heap(reference.begin(), reference.end(), greaterCost);
            reference.pop_back();
        }
    }
}

TEST(AStar, CargoExamplePlanReachesTheGoal) {
    freshSession();
    loadFile(session(), testing::sourcePath("examples/rocket.pln"));
    aStar solver;
    expectSameAsReference(solver);
    EXPECT_EQ(solver.plan.toString(),
              "load(a,r,london)\nload(b,r,london)\nfly(r,london,paris)\nunload(a,r,paris)\nunload(b,r,paris)\n");
}

TEST(AStar, StandardProblemsGiveTheLiteralSearchsPlan) {
    for (const char* file : {"tests/data/domains/gripper-prob01.pln", "tests/data/domains/blocks-4-0.pln",
                             "tests/data/domains/blocks-5-0.pln"}) {
        SCOPED_TRACE(file);
        freshSession();
        loadFile(session(), testing::sourcePath(file));
        aStar solver;
        expectSameAsReference(solver);
    }
}

// Zero-argument operations over a handful of facts.
constexpr testing::RandomDomainShape randomShape{7, 8, 25, 30, 25, 30, 40};

TEST(AStar, RandomSmallDomainsGiveTheLiteralSearchsPlan) {
    std::uint32_t seed = 99;
    int found = 0;
    int failed = 0;
    for (int domain = 0; domain < 400; ++domain) {
        const auto lines = testing::randomDomain(seed, randomShape);
        SCOPED_TRACE("domain " + std::to_string(domain));
        freshSession();
        runLines(lines);
        aStar solver;
        expectSameAsReference(solver);
        // A failed search leaves the last node taken from the queue in the plan.
        const ReferenceResult expected = referenceAStar(session().model.initState, session().model.goalState);
        if (!expected.found) {
            ++failed;
            EXPECT_EQ(solver.plan.steps, expected.steps);
            EXPECT_EQ(solver.plan.cost, expected.cost);
        } else if (!expected.steps.empty()) {
            ++found;
        }
        if (::testing::Test::HasFailure()) break;
    }
    // Both outcomes occur often enough to compare.
    EXPECT_GT(found, 80);
    EXPECT_GT(failed, 150);
}

TEST(AStar, TieBreakingPicksTheFirstInstanceInListOrder) {
    freshSession();
    runLines({"type t", "atom t x y", "pred p(t:a)", "pred g()", "op reach(t:a)", "pre reach p(a)", "add reach g()",
              "op make(t:a)", "add make p(a)", "init", "goal g()", "buildInst"});
    aStar solver;
    expectSameAsReference(solver);
    // make(x) comes before make(y); reaching g needs two steps either way.
    EXPECT_EQ(solver.plan.toString(), "make(x)\nreach(x)\n");
}

TEST(AStar, OneStepPlanKeepsTheStartNodesCost) {
    freshSession();
    runLines({"type t", "atom t x", "pred p(t:a)", "pred q(t:a)", "op go(t:a)", "add go p(a) q(a)", "init",
              "goal p(x) q(x)", "buildInst"});
    aStar solver;
    ASSERT_TRUE(testing::solveDirectly(solver, 0).found);
    EXPECT_EQ(solver.plan.toString(), "go(x)\n");
    EXPECT_EQ(solver.plan.cost, 2);
}

TEST(AStar, GoalAlreadyTrueIsFoundWithoutAPlan) {
    freshSession();
    runLines({"type t", "atom t x", "pred p(t:a)", "init p(x)", "goal p(x)"});
    aStar solver;
    const SolveResult run = testing::solveDirectly(solver, 5);
    EXPECT_TRUE(run.found);
    EXPECT_FALSE(run.planShown);
}

TEST(AStar, UnreachableGoalExhaustsTheStates) {
    freshSession();
    runLines({"type t", "atom t x y", "pred p(t:a)", "pred q(t:a)", "op flip(t:a t:b)", "pre flip p(a)", "add flip p(b)",
              "del flip p(a)", "init p(x)", "goal q(x)", "buildInst"});
    aStar solver;
    const SolveResult run = testing::solveDirectly(solver, 0);
    EXPECT_FALSE(run.found);
    EXPECT_FALSE(run.planShown);
    EXPECT_EQ(referenceAStar(session().model.initState, session().model.goalState).found, false);
}

TEST(AStar, InstanceThatChangesNothingIsNeverApplied) {
    freshSession();
    runLines({"type t", "atom t x", "pred p(t:a)", "pred q(t:a)", "op idle(t:a)", "pre idle p(a)", "add idle p(a)",
              "op finish(t:a)", "pre finish p(a)", "add finish q(a)", "init p(x)", "goal q(x)", "buildInst"});
    aStar solver;
    ASSERT_TRUE(testing::solveDirectly(solver, 0).found);
    EXPECT_EQ(solver.plan.toString(), "finish(x)\n");
}

TEST(AStar, SolveCommandShowsThePlanAndAFailureClearsIt) {
    freshSession();
    loadFile(session(), testing::sourcePath("examples/rocket.pln"));
    session().messages.clear();
    runLines({"solve a*"});
    ASSERT_NE(session().currentPlan, nullptr);
    EXPECT_EQ(session().log.text(), "\nSolution found\n");
    runLines({"goal inside(a,r) at(a,paris)", "solve a*"});
    EXPECT_EQ(session().currentPlan, nullptr);
    EXPECT_EQ(session().log.text(), "\nSolution not found\n");
}

}  // namespace
}  // namespace vexmolda

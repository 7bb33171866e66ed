#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "command/LoadFile.h"
#include "command/TextBuffer.h"
#include "domain/State.h"
#include "solvers/InselOL.h"
#include "solvers/InselPL.h"
#include "solvers/InselRand.h"
#include "solvers/IslandRandom.h"
#include "solvers/StateOperations.h"
#include "support/Session.h"
#include "tests/solvers/InselTestDomains.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::occurrences;
using testing::runLines;

// Runs a solver directly, with the log and the current plan emptied first.
bool runDirect(Solver& solver, std::int32_t limit) {
    log.clear();
    currentPlan = nullptr;
    return solver.solve(initState, goalState, limit);
}

bool reachesGoal(const Plan& plan) {
    State reached = initState;
    for (const OperationInstance* step : plan.steps) applyInstance(reached, *step);
    return goalsHold(reached, goalState);
}

// Draws from the process generator until its next value is r with r mod n = wanted.
void advanceUntilNextDrawIs(int wanted, int n) {
    for (;;) {
        IslandRandom peek = islandRandom();
        if (peek.next() % n == wanted) return;
        islandRandom().next();
    }
}

TEST(IslandRandom, FirstValuesOfTheFixedSequence) {
    IslandRandom generator;
    const std::vector<int> expected{41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected) EXPECT_EQ(generator.next(), value);
}

TEST(IslandRandom, ValuesStayWithinFifteenBits) {
    IslandRandom generator;
    int largest = 0;
    for (int i = 0; i < 100000; ++i) {
        const int value = generator.next();
        ASSERT_GE(value, 0);
        largest = std::max(largest, value);
    }
    EXPECT_EQ(largest, 32767);
}

TEST(IslandVariants, GoalAlreadyTrueSucceedsSilentlyWithTheEmptyPlan) {
    freshSession();
    runLines({"pred p()", "op make()", "add make p()", "init p()", "goal p()", "buildInst"});
    struct Case {
        Solver& solver;
        Plan& plan;
    };
    for (Case c : {Case{inselOLSolver(), inselOLSolver().plan}, Case{inselPLSolver(), inselPLSolver().plan},
                   Case{inselRandSolver(), inselRandSolver().plan}}) {
        c.plan.steps.push_back(instanceList[0]);
        const IslandRandom before = islandRandom();
        ASSERT_TRUE(runDirect(c.solver, 0));
        EXPECT_TRUE(log.empty());
        EXPECT_EQ(currentPlan, &c.plan);
        EXPECT_TRUE(c.plan.steps.empty());
        EXPECT_TRUE(islandRandom() == before);
    }
}

TEST(IslandVariants, MissingFactThatNothingAddsLogsOneAttemptAndFails) {
    freshSession();
    runLines({"pred p()", "pred q()", "op make()", "add make q()", "init", "goal p()", "buildInst"});
    EXPECT_FALSE(runDirect(inselOLSolver(), 3));
    EXPECT_EQ(log.text(), "\nTrying to achieve: p()\n");
    EXPECT_FALSE(runDirect(inselPLSolver(), 3));
    EXPECT_EQ(log.text(), "\nTrying to achieve: p()\n");
    // An empty candidate list draws no number.
    const IslandRandom before = islandRandom();
    EXPECT_FALSE(runDirect(inselRandSolver(), 0));
    EXPECT_EQ(log.text(), "\nTrying to achieve: p()\n");
    EXPECT_TRUE(islandRandom() == before);
    EXPECT_EQ(currentPlan, nullptr);
}

TEST(InselOL, LimitZeroUsesAnInstanceOnceAndLimitOneTwice) {
    freshSession();
    runLines(testing::reuseDomain());
    EXPECT_FALSE(runDirect(inselOLSolver(), 0));
    EXPECT_EQ(log.text(),
              "\nTrying to achieve: x(), y()\nPicked: A()\nNew State: x()\n"
              "\nTrying to achieve: x(), y()\nPicked: B()\nNew State: y()\n"
              "\nTrying to achieve: x(), y()\n");
    // The steps before the failure stay, and a level succeeded: partial plan.
    EXPECT_EQ(inselOLSolver().plan.toString(), "A()\nB()\n");
    EXPECT_EQ(currentPlan, &inselOLSolver().plan);

    ASSERT_TRUE(runDirect(inselOLSolver(), 1));
    EXPECT_EQ(inselOLSolver().plan.toString(), "A()\nB()\nA()\n");
}

TEST(InselOL, UseCountsEndAPreconditionCycle) {
    freshSession();
    runLines(testing::preconditionCycleDomain());
    // With limit 0 an instance cannot be picked inside its own precondition search.
    EXPECT_FALSE(runDirect(inselOLSolver(), 0));
    EXPECT_EQ(log.text(),
              "\nTrying to achieve: p()\nPicked: makeP()\n\nTrying to achieve: q()\nPicked: makeQ()\n"
              "\nTrying to achieve: p()\n");
    EXPECT_FALSE(runDirect(inselOLSolver(), 1));
    EXPECT_EQ(occurrences(log.text(), "Picked: makeP()"), 2u);
    EXPECT_EQ(occurrences(log.text(), "Picked: makeQ()"), 2u);
    // A negative limit admits no instance at all.
    EXPECT_FALSE(runDirect(inselOLSolver(), -1));
    EXPECT_EQ(log.text(), "\nTrying to achieve: p()\n");
}

TEST(InselOL, CountsAreRebuiltForEveryRun) {
    freshSession();
    runLines(testing::reuseDomain());
    ASSERT_TRUE(runDirect(inselOLSolver(), 1));
    ASSERT_TRUE(runDirect(inselOLSolver(), 1));
    ASSERT_EQ(inselOLSolver().usage.size(), instanceList.size());
    // A was chosen twice, B once, in this run alone.
    EXPECT_EQ(inselOLSolver().usage[0].instance, instanceList[0]);
    EXPECT_EQ(inselOLSolver().usage[0].uses, 2);
    EXPECT_EQ(inselOLSolver().usage[1].uses, 1);
}

TEST(InselOL, FailedAttemptKeepsItsEffects) {
    freshSession();
    runLines(testing::failedAttemptDomain());
    ASSERT_TRUE(runDirect(inselOLSolver(), 5));
    EXPECT_EQ(inselOLSolver().plan.toString(), "side()\nfinish()\n");
    const std::string trace = log.text();
    EXPECT_NE(trace.find("New State: a()\n\nTrying to achieve: a(), z()\nPicked: finish()\n"), std::string::npos)
        << trace;
    EXPECT_NE(log.lines.back().find("a()"), std::string::npos);
}

TEST(InselPL, FailedAttemptIsUndone) {
    freshSession();
    runLines(testing::failedAttemptDomain());
    ASSERT_TRUE(runDirect(inselPLSolver(), 10));
    EXPECT_EQ(inselPLSolver().plan.toString(), "finish()\n");
    EXPECT_EQ(log.text(),
              "\nTrying to achieve: g()\nPicked: attempt()\n\nTrying to achieve: a(), z()\nPicked: side()\n"
              "New State: a()\n\nTrying to achieve: a(), z()\nPicked: finish()\nNew State: g()\n");
    EXPECT_TRUE(reachesGoal(inselPLSolver().plan));
}

TEST(InselPL, NoLimitFailsAndASmallOneFindsTheSecondAdder) {
    freshSession();
    runLines(testing::unreachableFirstAdderDomain());
    EXPECT_FALSE(runDirect(inselPLSolver(), 0));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(currentPlan, nullptr);
    // One pass at the top; the blocked attempt fails on the budget below.
    ASSERT_TRUE(runDirect(inselPLSolver(), 1));
    EXPECT_EQ(log.text(), "\nTrying to achieve: g()\nPicked: blocked()\nPicked: direct()\nNew State: g()\n");
    EXPECT_EQ(currentPlan, &inselPLSolver().plan);
    ASSERT_TRUE(runDirect(inselPLSolver(), 3));
    EXPECT_EQ(inselPLSolver().plan.toString(), "direct()\n");
    EXPECT_EQ(occurrences(log.text(), "\nTrying to achieve: u()\n"), 1u);
}

TEST(InselPL, BudgetCountsThePassesOfALevel) {
    freshSession();
    runLines(testing::reuseDomain());
    // A, B, A takes three passes at the top level.
    EXPECT_FALSE(runDirect(inselPLSolver(), 2));
    EXPECT_EQ(inselPLSolver().plan.toString(), "A()\nB()\n");
    ASSERT_TRUE(runDirect(inselPLSolver(), 3));
    EXPECT_EQ(inselPLSolver().plan.toString(), "A()\nB()\nA()\n");
    EXPECT_FALSE(runDirect(inselPLSolver(), -2147483647 - 1));
    EXPECT_TRUE(log.empty());
}

TEST(InselOLAndPL, InstanceAddingTwoMissingGoalFactsIsTriedTwice) {
    const std::string expected =
        "\nTrying to achieve: g1(), g2()\nPicked: both()\n\nTrying to achieve: u()\nPicked: both()\n"
        "\nTrying to achieve: u()\nPicked: one()\nNew State: g1()\n"
        "\nTrying to achieve: g1(), g2()\nPicked: both()\n\nTrying to achieve: u()\nPicked: two()\n"
        "New State: g1(), g2()\n";
    freshSession();
    runLines(testing::doubleAdderDomain());
    ASSERT_TRUE(runDirect(inselOLSolver(), 5));
    EXPECT_EQ(log.text(), expected);
    ASSERT_TRUE(runDirect(inselPLSolver(), 10));
    EXPECT_EQ(log.text(), expected);
    EXPECT_EQ(inselPLSolver().plan.toString(), "one()\ntwo()\n");
}

TEST(InselRand, InstanceAddingTwoMissingGoalFactsHasTwiceTheWeight) {
    freshSession();
    runLines(testing::doubleAdderDomain());
    // The candidate list is both, both, one, two: index 1 is both() again.
    advanceUntilNextDrawIs(1, 4);
    EXPECT_FALSE(runDirect(inselRandSolver(), 0));
    EXPECT_EQ(log.text(), "\nTrying to achieve: g1(), g2()\nPicked: both()\n\nTrying to achieve: u()\n");
    advanceUntilNextDrawIs(2, 4);
    runDirect(inselRandSolver(), 0);
    EXPECT_EQ(log.lines[1], "Picked: one()\n");
}

TEST(InselRand, OneDrawPerChoiceEvenFromASingleCandidate) {
    freshSession();
    runLines(testing::chainDomain(2));
    IslandRandom expected = islandRandom();
    ASSERT_TRUE(runDirect(inselRandSolver(), 0));
    EXPECT_EQ(inselRandSolver().plan.toString(), "s2()\ns1()\ns0()\n");
    for (int i = 0; i < 3; ++i) expected.next();
    EXPECT_TRUE(islandRandom() == expected);
}

TEST(InselRand, TwoRunsInOneProcessDrawDifferentNumbers) {
    freshSession();
    runLines(testing::doubleAdderDomain());
    IslandRandom predicted = islandRandom();
    const std::vector<std::string> candidates{"both", "both", "one", "two"};
    for (int run = 0; run < 2; ++run) {
        const IslandRandom before = islandRandom();
        runDirect(inselRandSolver(), 0);
        EXPECT_FALSE(islandRandom() == before);
        // The first pick of each run follows from the continued sequence.
        EXPECT_EQ(log.lines[1], "Picked: " + candidates[predicted.next() % 4] + "()\n");
        for (std::size_t i = 2; i < log.lines.size(); ++i) {
            if (log.lines[i].rfind("Picked: ", 0) == 0) predicted.next();
        }
    }
}

TEST(InselRand, SameCommandsInANewProcessGiveTheSamePlans) {
    auto planOutput = [] {
        const auto result = testing::runBatchProgram({testing::sourcePath("examples/blocks.pln"), "-c",
                                                      "solve inselrand", "-c", "solve inselrand"});
        EXPECT_EQ(result.status, 0);
        std::string kept;
        std::size_t start = 0;
        while (start < result.output.size()) {
            std::size_t end = result.output.find('\n', start);
            if (end == std::string::npos) end = result.output.size();
            const std::string line = result.output.substr(start, end - start);
            if (line.find("clock cycles") == std::string::npos) kept += line + "\n";
            start = end + 1;
        }
        return kept;
    };
    const std::string first = planOutput();
    EXPECT_NE(first.find("Solution "), std::string::npos);
    EXPECT_EQ(planOutput(), first);
}

TEST(InselOLAndRand, DepthLimitAllowsThreeHundredAndOneLevels) {
    // Both run natively recursive to depth 300, on this thread's ordinary stack.
    freshSession();
    runLines(testing::chainDomain(299));
    ASSERT_TRUE(runDirect(inselOLSolver(), 0));
    EXPECT_EQ(inselOLSolver().plan.steps.size(), 300u);
    EXPECT_TRUE(reachesGoal(inselOLSolver().plan));
    ASSERT_TRUE(runDirect(inselRandSolver(), 0));
    EXPECT_EQ(inselRandSolver().plan.steps.size(), 300u);
    ASSERT_TRUE(runDirect(inselPLSolver(), 1000));
    EXPECT_TRUE(reachesGoal(inselPLSolver().plan));

    freshSession();
    runLines(testing::chainDomain(300));
    EXPECT_FALSE(runDirect(inselOLSolver(), 0));
    EXPECT_EQ(occurrences(log.text(), "Picked: "), 301u);
    EXPECT_EQ(currentPlan, nullptr);
    EXPECT_FALSE(runDirect(inselRandSolver(), 0));
    EXPECT_EQ(occurrences(log.text(), "Picked: "), 301u);
    EXPECT_EQ(currentPlan, nullptr);
    // Only the budget limits "inselpl": level k spends 2k + 1, so 301 levels need 601.
    EXPECT_FALSE(runDirect(inselPLSolver(), 600));
    ASSERT_TRUE(runDirect(inselPLSolver(), 601));
    EXPECT_EQ(inselPLSolver().plan.steps.size(), 301u);
}

}  // namespace
}  // namespace vexmolda

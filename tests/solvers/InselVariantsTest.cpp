#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "command/LoadFile.h"
#include "command/Session.h"
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
using testing::session;

// The result of the last direct run: its log, and whether it made its plan current.
SolveResult lastRun;

// Runs a solver object directly on the session's task.
bool runDirect(Solver& solver, std::int32_t limit) {
    lastRun = testing::solveDirectly(solver, limit);
    return lastRun.found;
}

bool reachesGoal(const Plan& plan) {
    State reached = session().model.initState;
    for (const OperationInstance* step : plan.steps) applyInstance(reached, *step);
    return goalsHold(reached, session().model.goalState);
}

// Draws from the session's generator until its next value is r with r mod n = wanted.
void advanceUntilNextDrawIs(int wanted, int n) {
    for (;;) {
        IslandRandom peek = session().random;
        if (peek.next() % n == wanted) return;
        session().random.next();
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
    inselOL olSolver;
    inselPL plSolver;
    inselRand randSolver;
    struct Case {
        Solver& solver;
        Plan& plan;
    };
    for (Case c : {Case{olSolver, olSolver.plan}, Case{plSolver, plSolver.plan}, Case{randSolver, randSolver.plan}}) {
        c.plan.steps.push_back(session().instances[0]);
        const IslandRandom before = session().random;
        ASSERT_TRUE(runDirect(c.solver, 0));
        EXPECT_TRUE(lastRun.log.empty());
        EXPECT_TRUE(lastRun.planShown);
        EXPECT_TRUE(c.plan.steps.empty());
        EXPECT_TRUE(session().random == before);
    }
}

TEST(IslandVariants, MissingFactThatNothingAddsLogsOneAttemptAndFails) {
    freshSession();
    inselOL olSolver;
    inselPL plSolver;
    inselRand randSolver;
    runLines({"pred p()", "pred q()", "op make()", "add make q()", "init", "goal p()", "buildInst"});
    EXPECT_FALSE(runDirect(olSolver, 3));
    EXPECT_EQ(lastRun.log.text(), "\nTrying to achieve: p()\n");
    EXPECT_FALSE(runDirect(plSolver, 3));
    EXPECT_EQ(lastRun.log.text(), "\nTrying to achieve: p()\n");
    // An empty candidate list draws no number.
    const IslandRandom before = session().random;
    EXPECT_FALSE(runDirect(randSolver, 0));
    EXPECT_EQ(lastRun.log.text(), "\nTrying to achieve: p()\n");
    EXPECT_TRUE(session().random == before);
    EXPECT_FALSE(lastRun.planShown);
}

TEST(InselOL, LimitZeroUsesAnInstanceOnceAndLimitOneTwice) {
    freshSession();
    inselOL olSolver;
    runLines(testing::reuseDomain());
    EXPECT_FALSE(runDirect(olSolver, 0));
    EXPECT_EQ(lastRun.log.text(),
              "\nTrying to achieve: x(), y()\nPicked: A()\nNew State: x()\n"
              "\nTrying to achieve: x(), y()\nPicked: B()\nNew State: y()\n"
              "\nTrying to achieve: x(), y()\n");
    // The steps before the failure stay, and a level succeeded: partial plan.
    EXPECT_EQ(olSolver.plan.toString(), "A()\nB()\n");
    EXPECT_TRUE(lastRun.planShown);

    ASSERT_TRUE(runDirect(olSolver, 1));
    EXPECT_EQ(olSolver.plan.toString(), "A()\nB()\nA()\n");
}

TEST(InselOL, UseCountsEndAPreconditionCycle) {
    freshSession();
    inselOL olSolver;
    runLines(testing::preconditionCycleDomain());
    // With limit 0 an instance cannot be picked inside its own precondition search.
    EXPECT_FALSE(runDirect(olSolver, 0));
    EXPECT_EQ(lastRun.log.text(),
              "\nTrying to achieve: p()\nPicked: makeP()\n\nTrying to achieve: q()\nPicked: makeQ()\n"
              "\nTrying to achieve: p()\n");
    EXPECT_FALSE(runDirect(olSolver, 1));
    EXPECT_EQ(occurrences(lastRun.log.text(), "Picked: makeP()"), 2u);
    EXPECT_EQ(occurrences(lastRun.log.text(), "Picked: makeQ()"), 2u);
    // A negative limit admits no instance at all.
    EXPECT_FALSE(runDirect(olSolver, -1));
    EXPECT_EQ(lastRun.log.text(), "\nTrying to achieve: p()\n");
}

TEST(InselOL, CountsAreRebuiltForEveryRun) {
    freshSession();
    inselOL olSolver;
    runLines(testing::reuseDomain());
    ASSERT_TRUE(runDirect(olSolver, 1));
    ASSERT_TRUE(runDirect(olSolver, 1));
    ASSERT_EQ(olSolver.usage.size(), session().instances.size());
    // A was chosen twice, B once, in this run alone.
    EXPECT_EQ(olSolver.usage[0].instance, session().instances[0]);
    EXPECT_EQ(olSolver.usage[0].uses, 2);
    EXPECT_EQ(olSolver.usage[1].uses, 1);
}

TEST(InselOL, FailedAttemptKeepsItsEffects) {
    freshSession();
    inselOL olSolver;
    runLines(testing::failedAttemptDomain());
    ASSERT_TRUE(runDirect(olSolver, 5));
    EXPECT_EQ(olSolver.plan.toString(), "side()\nfinish()\n");
    const std::string trace = lastRun.log.text();
    EXPECT_NE(trace.find("New State: a()\n\nTrying to achieve: a(), z()\nPicked: finish()\n"), std::string::npos)
        << trace;
    EXPECT_NE(lastRun.log.lines.back().find("a()"), std::string::npos);
}

TEST(InselPL, FailedAttemptIsUndone) {
    freshSession();
    inselPL plSolver;
    runLines(testing::failedAttemptDomain());
    ASSERT_TRUE(runDirect(plSolver, 10));
    EXPECT_EQ(plSolver.plan.toString(), "finish()\n");
    EXPECT_EQ(lastRun.log.text(),
              "\nTrying to achieve: g()\nPicked: attempt()\n\nTrying to achieve: a(), z()\nPicked: side()\n"
              "New State: a()\n\nTrying to achieve: a(), z()\nPicked: finish()\nNew State: g()\n");
    EXPECT_TRUE(reachesGoal(plSolver.plan));
}

TEST(InselPL, NoLimitFailsAndASmallOneFindsTheSecondAdder) {
    freshSession();
    inselPL plSolver;
    runLines(testing::unreachableFirstAdderDomain());
    EXPECT_FALSE(runDirect(plSolver, 0));
    EXPECT_TRUE(lastRun.log.empty());
    EXPECT_FALSE(lastRun.planShown);
    // One pass at the top; the blocked attempt fails on the budget below.
    ASSERT_TRUE(runDirect(plSolver, 1));
    EXPECT_EQ(lastRun.log.text(), "\nTrying to achieve: g()\nPicked: blocked()\nPicked: direct()\nNew State: g()\n");
    EXPECT_TRUE(lastRun.planShown);
    ASSERT_TRUE(runDirect(plSolver, 3));
    EXPECT_EQ(plSolver.plan.toString(), "direct()\n");
    EXPECT_EQ(occurrences(lastRun.log.text(), "\nTrying to achieve: u()\n"), 1u);
}

TEST(InselPL, BudgetCountsThePassesOfALevel) {
    freshSession();
    inselPL plSolver;
    runLines(testing::reuseDomain());
    // A, B, A takes three passes at the top level.
    EXPECT_FALSE(runDirect(plSolver, 2));
    EXPECT_EQ(plSolver.plan.toString(), "A()\nB()\n");
    ASSERT_TRUE(runDirect(plSolver, 3));
    EXPECT_EQ(plSolver.plan.toString(), "A()\nB()\nA()\n");
    EXPECT_FALSE(runDirect(plSolver, -2147483647 - 1));
    EXPECT_TRUE(lastRun.log.empty());
}

TEST(InselOLAndPL, InstanceAddingTwoMissingGoalFactsIsTriedTwice) {
    const std::string expected =
        "\nTrying to achieve: g1(), g2()\nPicked: both()\n\nTrying to achieve: u()\nPicked: both()\n"
        "\nTrying to achieve: u()\nPicked: one()\nNew State: g1()\n"
        "\nTrying to achieve: g1(), g2()\nPicked: both()\n\nTrying to achieve: u()\nPicked: two()\n"
        "New State: g1(), g2()\n";
    freshSession();
    inselOL olSolver;
    inselPL plSolver;
    runLines(testing::doubleAdderDomain());
    ASSERT_TRUE(runDirect(olSolver, 5));
    EXPECT_EQ(lastRun.log.text(), expected);
    ASSERT_TRUE(runDirect(plSolver, 10));
    EXPECT_EQ(lastRun.log.text(), expected);
    EXPECT_EQ(plSolver.plan.toString(), "one()\ntwo()\n");
}

TEST(InselRand, InstanceAddingTwoMissingGoalFactsHasTwiceTheWeight) {
    freshSession();
    inselRand randSolver;
    runLines(testing::doubleAdderDomain());
    // The candidate list is both, both, one, two: index 1 is both() again.
    advanceUntilNextDrawIs(1, 4);
    EXPECT_FALSE(runDirect(randSolver, 0));
    EXPECT_EQ(lastRun.log.text(), "\nTrying to achieve: g1(), g2()\nPicked: both()\n\nTrying to achieve: u()\n");
    advanceUntilNextDrawIs(2, 4);
    runDirect(randSolver, 0);
    EXPECT_EQ(lastRun.log.lines[1], "Picked: one()\n");
}

TEST(InselRand, OneDrawPerChoiceEvenFromASingleCandidate) {
    freshSession();
    inselRand randSolver;
    runLines(testing::chainDomain(2));
    IslandRandom expected = session().random;
    ASSERT_TRUE(runDirect(randSolver, 0));
    EXPECT_EQ(randSolver.plan.toString(), "s2()\ns1()\ns0()\n");
    for (int i = 0; i < 3; ++i) expected.next();
    EXPECT_TRUE(session().random == expected);
}

TEST(InselRand, TwoRunsInOneProcessDrawDifferentNumbers) {
    freshSession();
    inselRand randSolver;
    runLines(testing::doubleAdderDomain());
    IslandRandom predicted = session().random;
    const std::vector<std::string> candidates{"both", "both", "one", "two"};
    for (int run = 0; run < 2; ++run) {
        const IslandRandom before = session().random;
        runDirect(randSolver, 0);
        EXPECT_FALSE(session().random == before);
        // The first pick of each run follows from the continued sequence.
        EXPECT_EQ(lastRun.log.lines[1], "Picked: " + candidates[predicted.next() % 4] + "()\n");
        for (std::size_t i = 2; i < lastRun.log.lines.size(); ++i) {
            if (lastRun.log.lines[i].rfind("Picked: ", 0) == 0) predicted.next();
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
    inselOL olSolver;
    inselPL plSolver;
    inselRand randSolver;
    runLines(testing::chainDomain(299));
    ASSERT_TRUE(runDirect(olSolver, 0));
    EXPECT_EQ(olSolver.plan.steps.size(), 300u);
    EXPECT_TRUE(reachesGoal(olSolver.plan));
    ASSERT_TRUE(runDirect(randSolver, 0));
    EXPECT_EQ(randSolver.plan.steps.size(), 300u);
    ASSERT_TRUE(runDirect(plSolver, 1000));
    EXPECT_TRUE(reachesGoal(plSolver.plan));

    freshSession();
    runLines(testing::chainDomain(300));
    EXPECT_FALSE(runDirect(olSolver, 0));
    EXPECT_EQ(occurrences(lastRun.log.text(), "Picked: "), 301u);
    EXPECT_FALSE(lastRun.planShown);
    EXPECT_FALSE(runDirect(randSolver, 0));
    EXPECT_EQ(occurrences(lastRun.log.text(), "Picked: "), 301u);
    EXPECT_FALSE(lastRun.planShown);
    // Only the budget limits "inselpl": level k spends 2k + 1, so 301 levels need 601.
    EXPECT_FALSE(runDirect(plSolver, 600));
    ASSERT_TRUE(runDirect(plSolver, 601));
    EXPECT_EQ(plSolver.plan.steps.size(), 301u);
}

}  // namespace
}  // namespace vexmolda

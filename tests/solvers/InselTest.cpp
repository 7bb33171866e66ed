#include <gtest/gtest.h>

#include "command/LoadFile.h"
#include "command/Switches.h"
#include "command/TextBuffer.h"
#include "domain/State.h"
#include "solvers/Insel.h"
#include "solvers/StateOperations.h"
#include "support/Session.h"
#include "tests/solvers/InselTestDomains.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::runLines;

// Runs "insel" directly, with the log and the current plan emptied first.
bool runInsel(std::int32_t limit = 0) {
    log.clear();
    currentPlan = nullptr;
    return inselSolver().solve(initState, goalState, limit);
}

TEST(Insel, GoalAlreadyTrueSucceedsSilentlyWithTheEmptyPlan) {
    freshSession();
    runLines({"pred p()", "op make()", "add make p()", "init p()", "goal p()", "buildInst"});
    inselSolver().plan.steps.push_back(instanceList[0]);
    ASSERT_TRUE(runInsel());
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(currentPlan, &inselSolver().plan);
    EXPECT_TRUE(inselSolver().plan.steps.empty());
}

TEST(Insel, MissingFactThatNothingAddsLogsOneAttemptAndFails) {
    freshSession();
    runLines({"pred p()", "pred q()", "op make()", "add make q()", "init", "goal p()", "buildInst"});
    EXPECT_FALSE(runInsel());
    EXPECT_EQ(log.text(), "\nTrying to achieve: p()\n");
    EXPECT_EQ(currentPlan, nullptr);
}

TEST(Insel, TraceAndPlanOfTheCargoExample) {
    freshSession();
    loadFile(testing::sourcePath("examples/rocket.pln"));
    ASSERT_TRUE(runInsel());
    EXPECT_EQ(currentPlan, &inselSolver().plan);
    // Worked by hand from the rules; operations ground in name order (fly,
    // load, unload), so the rocket is flown to paris before it is loaded.
    EXPECT_EQ(inselSolver().plan.toString(),
              "fly(r,london,paris)\nfly(r,paris,london)\nload(a,r,london)\nfly(r,london,paris)\n"
              "unload(a,r,paris)\nfly(r,paris,london)\nload(b,r,london)\nfly(r,london,paris)\n"
              "unload(b,r,paris)\n");
    const std::string trace = log.text();
    EXPECT_EQ(trace.rfind("\nTrying to achieve: at(a,paris), at(b,paris)\nPicked: unload(a,r,paris)\n", 0), 0u);
    EXPECT_NE(trace.find("\nTrying to achieve: rocketAt(r,paris), inside(a,r)\nPicked: load(a,r,london)\n"
                         "\nTrying to achieve: at(a,london), rocketAt(r,london)\nPicked: fly(r,paris,london)\n"),
              std::string::npos);
    EXPECT_EQ(testing::occurrences(trace, "New State: "), 9u);
}

TEST(Insel, DepthLimitAllowsOneHundredAndOneLevels) {
    // The last instance of a chain of 100 is worked on at depth 100.
    freshSession();
    runLines(testing::chainDomain(99));
    ASSERT_TRUE(runInsel());
    EXPECT_EQ(inselSolver().plan.steps.size(), 100u);
    EXPECT_EQ(inselSolver().plan.steps.front()->name, "s99");
    State reached = initState;
    for (const OperationInstance* step : inselSolver().plan.steps) applyInstance(reached, *step);
    EXPECT_TRUE(goalsHold(reached, goalState));

    freshSession();
    runLines(testing::chainDomain(100));
    EXPECT_FALSE(runInsel());
    EXPECT_TRUE(inselSolver().plan.steps.empty());
    EXPECT_EQ(testing::occurrences(log.text(), "Picked: "), 101u);
    EXPECT_EQ(currentPlan, nullptr);
}

TEST(Insel, FirstAdderIsPickedEvenWhenItsPreconditionsAreUnreachable) {
    freshSession();
    runLines(testing::unreachableFirstAdderDomain());
    EXPECT_FALSE(runInsel());
    EXPECT_EQ(log.text(), "\nTrying to achieve: g()\nPicked: blocked()\n\nTrying to achieve: u()\n");
    EXPECT_EQ(insel::pickInstance(initState, goalState)->name, "blocked");
}

TEST(Insel, PickLooksOnlyAtMissingGoalFactsInListOrder) {
    freshSession();
    runLines({"pred a()", "pred b()", "op first()", "add first a()", "op second()", "add second b()", "init a()",
              "goal a() b()", "buildInst"});
    // first() adds a goal fact that already holds.
    EXPECT_EQ(insel::pickInstance(initState, goalState)->name, "second");
    EXPECT_EQ(insel::pickInstance(goalState, goalState), nullptr);
}

TEST(Insel, FailedRunKeepsThePartialPlanOfLevelsThatSucceeded) {
    freshSession();
    runLines({"pred a()", "pred b()", "pred c()", "op makeA()", "add makeA a()", "op makeB()", "pre makeB c()",
              "add makeB b()", "init", "goal a() b()", "buildInst"});
    messages.clear();
    runLines({"solve insel"});
    // makeA's empty preconditions were achieved, so the plan became current.
    EXPECT_EQ(currentPlan, &inselSolver().plan);
    EXPECT_EQ(inselSolver().plan.toString(), "makeA()\n");
    EXPECT_EQ(log.lines.back(), "\nSolution not found\n");
}

TEST(Insel, LoggingOffGivesTheSamePlanAndNoLog) {
    freshSession();
    loadFile(testing::sourcePath("examples/gripper.pln"));
    ASSERT_TRUE(runInsel());
    const std::string plan = inselSolver().plan.toString();
    logging() = false;
    ASSERT_TRUE(runInsel());
    EXPECT_EQ(inselSolver().plan.toString(), plan);
    EXPECT_TRUE(log.empty());
    logging() = true;
}

TEST(Insel, LimitHasNoEffect) {
    freshSession();
    loadFile(testing::sourcePath("examples/rocket.pln"));
    ASSERT_TRUE(runInsel(0));
    const std::string plan = inselSolver().plan.toString();
    const std::string trace = log.text();
    ASSERT_TRUE(runInsel(-7));
    EXPECT_EQ(inselSolver().plan.toString(), plan);
    ASSERT_TRUE(runInsel(1000));
    EXPECT_EQ(log.text(), trace);
}

TEST(InselLoops, StateRepeatedAtALevelsLoopHeadFailsThatLevel) {
    freshSession();
    runLines(testing::undoingPairDomain());
    EXPECT_FALSE(runInsel());
    EXPECT_EQ(inselSolver().plan.toString(), "X()\nY()\nX()\n");
    EXPECT_EQ(log.text(),
              "\nTrying to achieve: x(), y()\nPicked: X()\nNew State: x()\n"
              "\nTrying to achieve: x(), y()\nPicked: Y()\nNew State: y()\n"
              "\nTrying to achieve: x(), y()\nPicked: X()\nNew State: x()\n");
    // X's empty preconditions succeeded at the level below.
    EXPECT_EQ(currentPlan, &inselSolver().plan);
}

TEST(InselLoops, RepeatedStateBelowTheTopFailsTheWholeRun) {
    // The goal's only adder needs x and y, which undo each other.
    freshSession();
    runLines({"pred x()", "pred y()", "pred g()", "op X()", "add X x()", "del X y()", "op Y()", "pre Y x()",
              "add Y y()", "del Y x()", "op finish()", "pre finish x() y()", "add finish g()", "init",
              "goal g()", "buildInst"});
    EXPECT_FALSE(runInsel());
    EXPECT_EQ(inselSolver().plan.toString(), "X()\nY()\nX()\n");
    EXPECT_EQ(testing::occurrences(log.text(), "Picked: finish()"), 1u);
}

TEST(InselLoops, EachLevelKeepsItsOwnRecordOfStates) {
    // The level below starts from the very state the level above had at its
    // head; that is no repetition.
    freshSession();
    runLines({"pred a()", "pred g()", "op finish()", "pre finish a()", "add finish g()", "op makeA()",
              "add makeA a()", "init", "goal g()", "buildInst"});
    ASSERT_TRUE(runInsel());
    EXPECT_EQ(inselSolver().plan.toString(), "makeA()\nfinish()\n");
}

}  // namespace
}  // namespace vexmolda

#include <gtest/gtest.h>

#include "command/LoadFile.h"
#include "command/Session.h"
#include "domain/State.h"
#include "solvers/Insel.h"
#include "solvers/StateOperations.h"
#include "support/Session.h"
#include "tests/solvers/InselTestDomains.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::runLines;
using testing::session;

// The result of the last direct run: its log, and whether it made its plan current.
SolveResult lastRun;

// Runs the "insel" object directly on the session's task.
bool runInsel(insel& solver, std::int32_t limit = 0) {
    lastRun = testing::solveDirectly(solver, limit);
    return lastRun.found;
}

TEST(Insel, GoalAlreadyTrueSucceedsSilentlyWithTheEmptyPlan) {
    freshSession();
    insel solver;
    runLines({"pred p()", "op make()", "add make p()", "init p()", "goal p()", "buildInst"});
    solver.plan.steps.push_back(session().instances[0]);
    ASSERT_TRUE(runInsel(solver));
    EXPECT_TRUE(lastRun.log.empty());
    EXPECT_TRUE(lastRun.planShown);
    EXPECT_TRUE(solver.plan.steps.empty());
}

TEST(Insel, MissingFactThatNothingAddsLogsOneAttemptAndFails) {
    freshSession();
    insel solver;
    runLines({"pred p()", "pred q()", "op make()", "add make q()", "init", "goal p()", "buildInst"});
    EXPECT_FALSE(runInsel(solver));
    EXPECT_EQ(lastRun.log.text(), "\nTrying to achieve: p()\n");
    EXPECT_FALSE(lastRun.planShown);
}

TEST(Insel, TraceAndPlanOfTheCargoExample) {
    freshSession();
    insel solver;
    loadFile(session(), testing::sourcePath("examples/rocket.pln"));
    ASSERT_TRUE(runInsel(solver));
    EXPECT_TRUE(lastRun.planShown);
    // Worked by hand from the rules; operations ground in name order (fly,
    // load, unload), so the rocket is flown to paris before it is loaded.
    EXPECT_EQ(solver.plan.toString(),
              "fly(r,london,paris)\nfly(r,paris,london)\nload(a,r,london)\nfly(r,london,paris)\n"
              "unload(a,r,paris)\nfly(r,paris,london)\nload(b,r,london)\nfly(r,london,paris)\n"
              "unload(b,r,paris)\n");
    const std::string trace = lastRun.log.text();
    EXPECT_EQ(trace.rfind("\nTrying to achieve: at(a,paris), at(b,paris)\nPicked: unload(a,r,paris)\n", 0), 0u);
    EXPECT_NE(trace.find("\nTrying to achieve: rocketAt(r,paris), inside(a,r)\nPicked: load(a,r,london)\n"
                         "\nTrying to achieve: at(a,london), rocketAt(r,london)\nPicked: fly(r,paris,london)\n"),
              std::string::npos);
    EXPECT_EQ(testing::occurrences(trace, "New State: "), 9u);
}

TEST(Insel, DepthLimitAllowsOneHundredAndOneLevels) {
    // The last instance of a chain of 100 is worked on at depth 100.
    freshSession();
    insel solver;
    runLines(testing::chainDomain(99));
    ASSERT_TRUE(runInsel(solver));
    EXPECT_EQ(solver.plan.steps.size(), 100u);
    EXPECT_EQ(solver.plan.steps.front()->name(), "s99");
    State reached = session().model.initState;
    for (const OperationInstance* step : solver.plan.steps) applyInstance(reached, *step);
    EXPECT_TRUE(goalsHold(reached, session().model.goalState));

    freshSession();
    runLines(testing::chainDomain(100));
    EXPECT_FALSE(runInsel(solver));
    EXPECT_TRUE(solver.plan.steps.empty());
    EXPECT_EQ(testing::occurrences(lastRun.log.text(), "Picked: "), 101u);
    EXPECT_FALSE(lastRun.planShown);
}

TEST(Insel, FirstAdderIsPickedEvenWhenItsPreconditionsAreUnreachable) {
    freshSession();
    insel solver;
    runLines(testing::unreachableFirstAdderDomain());
    EXPECT_FALSE(runInsel(solver));
    EXPECT_EQ(lastRun.log.text(), "\nTrying to achieve: g()\nPicked: blocked()\n\nTrying to achieve: u()\n");
    const Model& model = session().model;
    EXPECT_EQ(insel::pickInstance(session().instances, model.initState, model.goalState)->name(), "blocked");
}

TEST(Insel, PickLooksOnlyAtMissingGoalFactsInListOrder) {
    freshSession();
    runLines({"pred a()", "pred b()", "op first()", "add first a()", "op second()", "add second b()", "init a()",
              "goal a() b()", "buildInst"});
    // first() adds a goal fact that already holds.
    const Model& model = session().model;
    EXPECT_EQ(insel::pickInstance(session().instances, model.initState, model.goalState)->name(), "second");
    EXPECT_EQ(insel::pickInstance(session().instances, model.goalState, model.goalState), nullptr);
}

TEST(Insel, FailedRunKeepsThePartialPlanOfLevelsThatSucceeded) {
    freshSession();
    runLines({"pred a()", "pred b()", "pred c()", "op makeA()", "add makeA a()", "op makeB()", "pre makeB c()",
              "add makeB b()", "init", "goal a() b()", "buildInst"});
    session().messages.clear();
    runLines({"solve insel"});
    // makeA's empty preconditions were achieved, so the plan became current.
    ASSERT_TRUE(testing::lastPlanIsCurrent());
    EXPECT_EQ(session().currentPlan->toString(), "makeA()\n");
    EXPECT_EQ(session().log.lines.back(), "\nSolution not found\n");
}

TEST(Insel, LoggingOffGivesTheSamePlanAndNoLog) {
    freshSession();
    insel solver;
    loadFile(session(), testing::sourcePath("examples/gripper.pln"));
    ASSERT_TRUE(runInsel(solver));
    const std::string plan = solver.plan.toString();
    session().logging() = false;
    ASSERT_TRUE(runInsel(solver));
    EXPECT_EQ(solver.plan.toString(), plan);
    EXPECT_TRUE(lastRun.log.empty());
    session().logging() = true;
}

TEST(Insel, LimitHasNoEffect) {
    freshSession();
    insel solver;
    loadFile(session(), testing::sourcePath("examples/rocket.pln"));
    ASSERT_TRUE(runInsel(solver, 0));
    const std::string plan = solver.plan.toString();
    const std::string trace = lastRun.log.text();
    ASSERT_TRUE(runInsel(solver, -7));
    EXPECT_EQ(solver.plan.toString(), plan);
    ASSERT_TRUE(runInsel(solver, 1000));
    EXPECT_EQ(lastRun.log.text(), trace);
}

TEST(InselLoops, StateRepeatedAtALevelsLoopHeadFailsThatLevel) {
    freshSession();
    insel solver;
    runLines(testing::undoingPairDomain());
    EXPECT_FALSE(runInsel(solver));
    EXPECT_EQ(solver.plan.toString(), "X()\nY()\nX()\n");
    EXPECT_EQ(lastRun.log.text(),
              "\nTrying to achieve: x(), y()\nPicked: X()\nNew State: x()\n"
              "\nTrying to achieve: x(), y()\nPicked: Y()\nNew State: y()\n"
              "\nTrying to achieve: x(), y()\nPicked: X()\nNew State: x()\n");
    // X's empty preconditions succeeded at the level below.
    EXPECT_TRUE(lastRun.planShown);
}

TEST(InselLoops, RepeatedStateBelowTheTopFailsTheWholeRun) {
    // The goal's only adder needs x and y, which undo each other.
    freshSession();
    insel solver;
    runLines({"pred x()", "pred y()", "pred g()", "op X()", "add X x()", "del X y()", "op Y()", "pre Y x()",
              "add Y y()", "del Y x()", "op finish()", "pre finish x() y()", "add finish g()", "init",
              "goal g()", "buildInst"});
    EXPECT_FALSE(runInsel(solver));
    EXPECT_EQ(solver.plan.toString(), "X()\nY()\nX()\n");
    EXPECT_EQ(testing::occurrences(lastRun.log.text(), "Picked: finish()"), 1u);
}

TEST(InselLoops, EachLevelKeepsItsOwnRecordOfStates) {
    // The level below starts from the very state the level above had at its
    // head; that is no repetition.
    freshSession();
    insel solver;
    runLines({"pred a()", "pred g()", "op finish()", "pre finish a()", "add finish g()", "op makeA()",
              "add makeA a()", "init", "goal g()", "buildInst"});
    ASSERT_TRUE(runInsel(solver));
    EXPECT_EQ(solver.plan.toString(), "makeA()\nfinish()\n");
}

}  // namespace
}  // namespace vexmolda

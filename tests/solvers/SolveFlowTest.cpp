#include <gtest/gtest.h>

#include "command/LoadFile.h"
#include "command/Session.h"
#include "grounding/OperationInstance.h"
#include "solvers/Plan.h"
#include "solvers/Solver.h"
#include "support/Session.h"
#include "tests/solvers/InselTestDomains.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::messageText;
using testing::runLines;
using testing::session;

// The limit the last "inselol" run on the precondition cycle was given: it
// picks each of the two instances limit + 1 times.
int limitOfTheLastCycleRun() {
    return static_cast<int>(testing::occurrences(session().log.text(), "Picked: makeP()")) - 1;
}

// One instance adds the goal; "insel" picks it and applies it.
const std::vector<std::string> oneStepDomain = {"pred p()", "op make()", "add make p()", "init", "goal p()",
                                                "buildInst"};

TEST(SolveFlow, TimingLineFormat) {
    EXPECT_EQ(timingLine(3000000), " - required 3000k clock cycles (1.5000ms at 2Ghz)\n");
    EXPECT_EQ(timingLine(999), " - required 0k clock cycles (0.0005ms at 2Ghz)\n");
    // Thousands are truncated to 32 bits.
    EXPECT_EQ(timingLine(4294967296000ull + 5000), " - required 5k clock cycles (2147483.7500ms at 2Ghz)\n");
}

TEST(SolveFlow, LimitIsReadLikeAtoi) {
    freshSession();
    runLines(testing::preconditionCycleDomain());
    runLines({"solve inselol 2"});
    EXPECT_EQ(limitOfTheLastCycleRun(), 2);
    runLines({"solve inselol"});
    EXPECT_EQ(limitOfTheLastCycleRun(), 0);
    runLines({"solve inselol 12x"});
    EXPECT_EQ(limitOfTheLastCycleRun(), 12);
    runLines({"solve inselol abc"});
    EXPECT_EQ(limitOfTheLastCycleRun(), 0);
}

TEST(SolveFlow, LogHoldsOnlyTheLastRunAndTimingGoesToMessages) {
    freshSession();
    runLines(oneStepDomain);
    runLines({"solve insel", "solve insel"});
    EXPECT_EQ(session().log.text(),
              "\nTrying to achieve: p()\nPicked: make()\nNew State: p()\n\nSolution found\n");
    EXPECT_EQ(messageText().rfind(" - required ", 0), 0u);
    runLines({"log", "solve insel"});
    EXPECT_TRUE(session().log.empty());
    EXPECT_EQ(session().messages.lines.size(), 3u);
}

TEST(SolveFlow, UnknownSolverChangesNothingElse) {
    freshSession();
    loadFile(session(), testing::sourcePath("examples/rocket.pln"));
    runLines({"solve a*"});
    Plan* plan = session().currentPlan;
    const std::string logBefore = session().log.text();
    session().messages.clear();
    runLines({"solve nosuch"});
    EXPECT_EQ(messageText(), "Unknown solver\n");
    EXPECT_EQ(session().currentPlan, plan);
    EXPECT_EQ(session().log.text(), logBefore);
}

TEST(SolveFlow, RebuildAndWipeClearThePlan) {
    freshSession();
    loadFile(session(), testing::sourcePath("examples/rocket.pln"));
    runLines({"solve a*"});
    ASSERT_NE(session().currentPlan, nullptr);
    runLines({"buildInst"});
    ASSERT_NE(session().currentPlan, nullptr);
    EXPECT_EQ(session().currentPlan->toString(), "");
    runLines({"wipe"});
    EXPECT_EQ(session().currentPlan, nullptr);
}

TEST(Plans, SequentialAndLayeredForms) {
    freshSession();
    runLines({"type t", "atom t x y", "op go(t:a, t:b)", "op wait", "filterReds", "buildInst"});
    Plan plan;
    plan.cost = 7;
    plan.steps = {session().instances[1], session().instances[0]};
    EXPECT_EQ(plan.toString(), "go(y,x)\ngo(x,y)\n");
    plan.clear();
    EXPECT_EQ(plan.toString(), "");
    EXPECT_EQ(plan.cost, 7);

    ParPlan layered;
    layered.steps = {session().instances[0]};
    layered.layers = {{session().instances[0], session().instances[1]}, {}, {session().instances[2]}};
    EXPECT_EQ(layered.toString(), "1: go(x,y), go(y,x)\n2: \n3: wait()\n");
    layered.clear();
    EXPECT_EQ(layered.toString(), "");
    EXPECT_EQ(layered.steps.size(), 1u);
}

}  // namespace
}  // namespace vexmolda

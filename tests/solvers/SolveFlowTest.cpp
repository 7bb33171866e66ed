#include <gtest/gtest.h>

#include "command/LoadFile.h"
#include "command/TextBuffer.h"
#include "grounding/OperationInstance.h"
#include "solvers/Plan.h"
#include "solvers/Solver.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::messageText;
using testing::runLines;

// Records what the solve flow hands over.
class RecordingSolver : public Solver {
public:
    RecordingSolver() : Solver("recording-test") {}
    bool solve(const State&, const State&, std::int32_t givenLimit) override {
        limit = givenLimit;
        log.append("trace\n");
        return true;
    }
    std::int32_t limit = -1;
};

RecordingSolver recorder;

TEST(SolveFlow, TimingLineFormat) {
    EXPECT_EQ(timingLine(3000000), " - required 3000k clock cycles (1.5000ms at 2Ghz)\n");
    EXPECT_EQ(timingLine(999), " - required 0k clock cycles (0.0005ms at 2Ghz)\n");
    // Thousands are truncated to 32 bits.
    EXPECT_EQ(timingLine(4294967296000ull + 5000), " - required 5k clock cycles (2147483.7500ms at 2Ghz)\n");
}

TEST(SolveFlow, LimitIsReadLikeAtoi) {
    freshSession();
    runLines({"solve recording-test 2"});
    EXPECT_EQ(recorder.limit, 2);
    runLines({"solve recording-test"});
    EXPECT_EQ(recorder.limit, 0);
    runLines({"solve recording-test 12x"});
    EXPECT_EQ(recorder.limit, 12);
    runLines({"solve recording-test abc"});
    EXPECT_EQ(recorder.limit, 0);
}

TEST(SolveFlow, LogHoldsOnlyTheLastRunAndTimingGoesToMessages) {
    freshSession();
    runLines({"solve recording-test", "solve recording-test"});
    EXPECT_EQ(log.text(), "trace\n\nSolution found\n");
    EXPECT_EQ(messageText().rfind(" - required ", 0), 0u);
    runLines({"log", "solve recording-test"});
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(messages.lines.size(), 3u);
}

TEST(SolveFlow, UnknownSolverChangesNothingElse) {
    freshSession();
    loadFile(testing::sourcePath("examples/rocket.pln"));
    runLines({"solve a*"});
    Plan* plan = currentPlan;
    const std::string logBefore = log.text();
    messages.clear();
    runLines({"solve nosuch"});
    EXPECT_EQ(messageText(), "Unknown solver\n");
    EXPECT_EQ(currentPlan, plan);
    EXPECT_EQ(log.text(), logBefore);
}

TEST(SolveFlow, RebuildAndWipeClearThePlan) {
    freshSession();
    loadFile(testing::sourcePath("examples/rocket.pln"));
    runLines({"solve a*"});
    ASSERT_NE(currentPlan, nullptr);
    runLines({"buildInst"});
    ASSERT_NE(currentPlan, nullptr);
    EXPECT_EQ(currentPlan->toString(), "");
    runLines({"wipe"});
    EXPECT_EQ(currentPlan, nullptr);
}

TEST(Plans, SequentialAndLayeredForms) {
    freshSession();
    runLines({"type t", "atom t x y", "op go(t:a, t:b)", "op wait", "filterReds", "buildInst"});
    Plan plan;
    plan.cost = 7;
    plan.steps = {instanceList[1], instanceList[0]};
    EXPECT_EQ(plan.toString(), "go(y,x)\ngo(x,y)\n");
    plan.clear();
    EXPECT_EQ(plan.toString(), "");
    EXPECT_EQ(plan.cost, 7);

    ParPlan layered;
    layered.steps = {instanceList[0]};
    layered.layers = {{instanceList[0], instanceList[1]}, {}, {instanceList[2]}};
    EXPECT_EQ(layered.toString(), "1: go(x,y), go(y,x)\n2: \n3: wait()\n");
    layered.clear();
    EXPECT_EQ(layered.toString(), "");
    EXPECT_EQ(layered.steps.size(), 1u);
}

}  // namespace
}  // namespace vexmolda

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "command/LoadFile.h"
#include "command/Session.h"
#include "domain/State.h"
#include "solvers/Insel.h"
#include "solvers/InselOL.h"
#include "solvers/InselPL.h"
#include "solvers/InselRand.h"
#include "solvers/IslandCommon.h"
#include "support/Session.h"
#include "tests/solvers/InselTestDomains.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::occurrences;
using testing::runLines;
using testing::session;

constexpr std::int32_t largestLimit = std::numeric_limits<std::int32_t>::max();

// The result of the last direct run: its log, and whether it made its plan current.
SolveResult lastRun;

// Runs the solver object directly on the session's task.
bool runDirect(Solver& solver, std::int32_t limit) {
    lastRun = testing::solveDirectly(solver, limit);
    return lastRun.found;
}

// The steps alternate X(), Y() from the start.
bool alternates(const Plan& plan) {
    for (std::size_t i = 0; i < plan.steps.size(); ++i) {
        if (plan.steps[i]->name() != (i % 2 == 0 ? "X" : "Y")) return false;
    }
    return true;
}

TEST(IslandBounds, StepBoundEndsALoopThatNeverRecurses) {
    // Each of X and Y undoes the other; without the bound these runs grow
    // their plan and log until memory runs out.
    freshSession();
    inselOL olSolver;
    inselPL plSolver;
    inselRand randSolver;
    runLines(testing::undoingPairDomain());
    EXPECT_FALSE(runDirect(olSolver, largestLimit));
    EXPECT_EQ(olSolver.plan.steps.size(), islandStepBound + 1);
    EXPECT_TRUE(alternates(olSolver.plan));
    EXPECT_TRUE(lastRun.planShown);

    EXPECT_FALSE(runDirect(plSolver, largestLimit));
    EXPECT_EQ(plSolver.plan.steps.size(), islandStepBound + 1);
    EXPECT_TRUE(alternates(plSolver.plan));

    EXPECT_FALSE(runDirect(randSolver, 0));
    EXPECT_EQ(randSolver.plan.steps.size(), islandStepBound + 1);
    EXPECT_EQ(occurrences(lastRun.log.text(), "New State: "), islandStepBound + 1);
}

TEST(IslandBounds, PlansUpToTheStepBoundAreKept) {
    // The loop of "inselpl" ends at its budget first when that is smaller.
    freshSession();
    inselOL olSolver;
    inselPL plSolver;
    runLines(testing::undoingPairDomain());
    EXPECT_FALSE(runDirect(plSolver, 1000));
    EXPECT_EQ(plSolver.plan.steps.size(), 1000u);
    // A use limit lets each of X and Y be used limit + 1 times.
    EXPECT_FALSE(runDirect(olSolver, 999));
    EXPECT_EQ(olSolver.plan.steps.size(), 2000u);
}

TEST(IslandBounds, LargestLimitOnAPreconditionCycleEndsAtTheDepthCap) {
    freshSession();
    inselPL plSolver;
    runLines(testing::preconditionCycleDomain());
    EXPECT_FALSE(runDirect(plSolver, largestLimit));
    // Depths 0 to deepestLevel each tried once; the run then unwinds.
    EXPECT_EQ(occurrences(lastRun.log.text(), "\nTrying to achieve: "), inselPL::deepestLevel + 1);
    EXPECT_TRUE(plSolver.plan.steps.empty());
    EXPECT_FALSE(lastRun.planShown);

    // The same through the command, as a user would type it.
    session().messages.clear();
    runLines({"solve inselpl 2147483647"});
    EXPECT_EQ(session().log.lines.back(), "\nSolution not found\n");
    EXPECT_EQ(testing::messageText().rfind(" - required ", 0), 0u);
}

TEST(IslandBounds, DepthCapOfInselPLAllowsDeepChains) {
    // Success travels up through many levels; the budget grows with depth.
    freshSession();
    inselPL plSolver;
    const int last = 2000;
    runLines(testing::chainDomain(last));
    ASSERT_TRUE(runDirect(plSolver, largestLimit));
    EXPECT_EQ(plSolver.plan.steps.size(), static_cast<std::size_t>(last) + 1);
    EXPECT_EQ(plSolver.plan.steps.front()->name(), "s" + std::to_string(last));
}

TEST(IslandBounds, ExtremeLimitsFailCleanly) {
    freshSession();
    insel plainSolver;
    inselOL olSolver;
    inselPL plSolver;
    inselRand randSolver;
    runLines(testing::preconditionCycleDomain());
    for (std::int32_t limit : {std::numeric_limits<std::int32_t>::min(), -1}) {
        EXPECT_FALSE(runDirect(plSolver, limit));
        EXPECT_TRUE(lastRun.log.empty());
        EXPECT_FALSE(runDirect(olSolver, limit));
        EXPECT_EQ(lastRun.log.text(), "\nTrying to achieve: p()\n");
    }
    // When the limit admits every use, the depth rule ends the cycle.
    EXPECT_FALSE(runDirect(olSolver, largestLimit));
    EXPECT_EQ(occurrences(lastRun.log.text(), "Picked: "), static_cast<std::size_t>(inselOL::deepestLevel) + 1);
    EXPECT_FALSE(runDirect(plainSolver, largestLimit));
    EXPECT_FALSE(runDirect(randSolver, largestLimit));
    EXPECT_EQ(occurrences(lastRun.log.text(), "Picked: "), static_cast<std::size_t>(inselRand::deepestLevel) + 1);
}

TEST(IslandBounds, PickBoundEndsAnExponentialBacktrack) {
    // Backtracking over the gripper problem's candidates would go on for hours.
    freshSession();
    inselOL olSolver;
    loadFile(session(), testing::sourcePath("tests/data/domains/gripper-prob01.pln"));
    EXPECT_FALSE(runDirect(olSolver, 1));
    EXPECT_EQ(occurrences(lastRun.log.text(), "Picked: "), islandPickBound);
}

TEST(IslandBounds, EveryIslandSolverRunsOnEveryExampleFromTheBatchProgram) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(testing::sourcePath("examples"))) {
        if (entry.path().extension() == ".pln") files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());
    const std::vector<std::string> commands{"solve insel",    "solve inselol",    "solve inselol 2",
                                            "solve inselpl",  "solve inselpl 25", "solve inselrand",
                                            "solve inselrand"};
    for (const std::string& file : files) {
        for (const std::string& command : commands) {
            SCOPED_TRACE(file + " / " + command);
            const auto result = testing::runBatchProgram({file, "-c", command});
            EXPECT_EQ(result.status, 0);
            EXPECT_NE(result.output.find("\nSolution "), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace vexmolda

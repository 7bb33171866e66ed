#include <gtest/gtest.h>

#include <filesystem>

#include "PddlTestSupport.h"
#include "command/Session.h"
#include "command/Execute.h"
#include "domain/Type.h"
#include "pddl/ProgramOptions.h"
#include "solvers/Solver.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::session;

Model& model() { return session().model; }

TEST(ProgramOptions, WithoutArgumentsNothingIsSet) {
    ProgramOptions options;
    ASSERT_TRUE(readProgramOptions({}, options));
    EXPECT_EQ(options.pddlDomain, "");
    EXPECT_EQ(options.planOut, "");
    EXPECT_FALSE(options.showUsage);
}

TEST(ProgramOptions, PddlAndPlanOutAreReadAndAnythingElseIsRefused) {
    ProgramOptions options;
    ASSERT_TRUE(readProgramOptions({"--plan-out", "p.txt", "--pddl", "d.pddl", "p.pddl"}, options));
    EXPECT_EQ(options.pddlDomain, "d.pddl");
    EXPECT_EQ(options.pddlProblem, "p.pddl");
    EXPECT_EQ(options.planOut, "p.txt");
    ASSERT_TRUE(readProgramOptions({"--help"}, options));
    EXPECT_TRUE(options.showUsage);
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"rocket.pln"}, {"--pddl", "d.pddl"},
                                                {"--plan-out"}, {"-c", "solve a*"}, {"--pddl-out", "x.pln"}}) {
        EXPECT_FALSE(readProgramOptions(bad, options));
    }
}

// The hook outlives the test otherwise, even when an assertion ends it early.
struct ForgetAfterSolve {
    ~ForgetAfterSolve() { session().hooks.afterSolve = nullptr; }
};

TEST(ProgramOptions, StartupLoadsThePddlTaskAndWritesThePlanAfterEverySuccessfulSolve) {
    const ForgetAfterSolve forget;
    const std::string planFile = testing::writeTempFile("plan.txt", "");
    std::filesystem::remove(planFile);
    ProgramOptions options;
    ASSERT_TRUE(readProgramOptions({"--pddl", testing::pddlData("blocks/domain.pddl"),
                                    testing::pddlData("blocks/probBLOCKS-4-0.pddl"), "--plan-out", planFile},
                                   options));
    testing::freshSession();
    loadStartupDomain(session(), options);
    EXPECT_NE(model().findType("object"), nullptr);
    EXPECT_FALSE(std::filesystem::exists(planFile));  // no plan yet
    executeLine(session(), "solve nosuch");
    EXPECT_FALSE(std::filesystem::exists(planFile));
    executeLine(session(), "solve a*");
    const std::string written = testing::fileText(planFile);
    EXPECT_EQ(testing::checkPlan(testing::readTask(options.pddlDomain, options.pddlProblem), written), "") << written;
    // A failed run leaves the last plan file as it was, and says so.
    executeLine(session(), "goal on(a,a)");
    executeLine(session(), "solve a*");
    EXPECT_EQ(testing::fileText(planFile), written);
    EXPECT_NE(testing::messageText().find("No plan written to \"" + planFile + "\": solution not found\n"),
              std::string::npos);
}

TEST(ProgramOptions, WithoutPddlTheStartupFileIsLoadedFromTheWorkingDirectory) {
    const std::string startup = testing::writeTempFile("rocket.pln", "type fromstartup\n");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(startup).parent_path());
    testing::freshSession();
    loadStartupDomain(session(), ProgramOptions{});
    std::filesystem::current_path(previous);
    EXPECT_NE(model().findType("fromstartup"), nullptr);
    EXPECT_FALSE(session().hooks.afterSolve);
}

}  // namespace
}  // namespace vexmolda

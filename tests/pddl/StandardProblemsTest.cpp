#include <gtest/gtest.h>

#include "PddlTestSupport.h"
#include "command/Session.h"
#include "command/Execute.h"
#include "domain/Operation.h"
#include "grounding/OperationInstance.h"
#include "pddl/PddlLoader.h"
#include "pddl/PlanWriter.h"
#include "solvers/Plan.h"
#include "solvers/Solver.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::session;

Model& model() { return session().model; }

using testing::checkPlan;
using testing::pddlData;

struct StandardProblem {
    std::string domain;
    std::string problem;
};

const std::vector<StandardProblem> standardProblems = {
    {"gripper/domain.pddl", "gripper/prob01.pddl"},
    {"blocks/domain.pddl", "blocks/probBLOCKS-4-0.pddl"},
    {"logistics00/domain.pddl", "logistics00/probLOGISTICS-4-0.pddl"},
};

// The solvers these tests run: "a*", and "graph" once it is registered.
std::vector<std::string> solversToRun() {
    std::vector<std::string> names = {"a*"};
    if (solverFactories().count("graph")) names.push_back("graph");
    return names;
}

TEST(PddlStandardProblems, TranslateGroundSolveAndReplayOnThePddl) {
    for (const StandardProblem& files : standardProblems) {
        SCOPED_TRACE(files.problem);
        const PddlTask task = testing::readTask(pddlData(files.domain), pddlData(files.problem));
        testing::freshSession();
        ASSERT_TRUE(loadPddl(session(), pddlData(files.domain), pddlData(files.problem)));
        // Executed as typed, the translation draws no message at all.
        EXPECT_EQ(testing::messageText(), "");
        EXPECT_EQ(model().operations.size(), task.domain.actions.size());
        EXPECT_FALSE(session().instances.empty());
        for (const std::string& solver : solversToRun()) {
            SCOPED_TRACE(solver);
            executeLine(session(), "solve " + solver);
            ASSERT_NE(session().currentPlan, nullptr);
            const std::string planText = competitionPlanText(*session().currentPlan, currentPddlNames(session()));
            EXPECT_EQ(checkPlan(task, planText), "") << planText;
        }
    }
}

TEST(PddlStandardProblems, PlansUseThePddlSpellingAndEndWithTheCost) {
    testing::freshSession();
    ASSERT_TRUE(loadPddl(session(), pddlData("blocks/domain.pddl"), pddlData("blocks/probBLOCKS-4-0.pddl")));
    executeLine(session(), "solve a*");
    ASSERT_NE(session().currentPlan, nullptr);
    const std::string text = competitionPlanText(*session().currentPlan, currentPddlNames(session()));
    // The objects are written "D B A C" in the problem, the actions in lower case.
    EXPECT_NE(text.find("(pick-up "), std::string::npos) << text;
    EXPECT_NE(text.find(" D)"), std::string::npos) << text;
    EXPECT_EQ(text.find(" d)"), std::string::npos) << text;
    const std::string costLine = "; cost = " + std::to_string(session().currentPlan->steps.size()) + " (unit cost)\n";
    ASSERT_GE(text.size(), costLine.size());
    EXPECT_EQ(text.substr(text.size() - costLine.size()), costLine);
    EXPECT_EQ(checkPlan(testing::readTask(pddlData("blocks/domain.pddl"), pddlData("blocks/probBLOCKS-4-0.pddl")),
                        text),
              "");
}

TEST(PddlStandardProblems, AnotherDomainLoadedAfterwardsIsWrittenInItsOwnNames) {
    testing::freshSession();
    ASSERT_TRUE(loadPddl(session(), pddlData("blocks/domain.pddl"), pddlData("blocks/probBLOCKS-4-0.pddl")));
    EXPECT_NE(currentPddlNames(session()), nullptr);
    testing::runLines({"wipe", "type t", "atom t D", "op pick-up(t:x)", "buildInst", "instance pick-up D"});
    // A different domain is in memory now: no PDDL spelling applies to it.
    EXPECT_EQ(currentPddlNames(session()), nullptr);
}

TEST(PddlStandardProblems, BatchWritesAPlanFileTheCheckerAccepts) {
    const std::string planFile = testing::writeTempFile("plan.txt", "");
    const std::string solver = solversToRun().back();
    const auto result =
        testing::runBatchProgram({"--pddl", pddlData("gripper/domain.pddl"), pddlData("gripper/prob01.pddl"), "-c",
                                  "solve " + solver, "--plan-out", planFile});
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_NE(result.output.find("\nThe plan: \n"), std::string::npos);
    const std::string plan = testing::fileText(planFile);
    EXPECT_NE(plan.find("; cost = "), std::string::npos);
    EXPECT_EQ(checkPlan(testing::readTask(pddlData("gripper/domain.pddl"), pddlData("gripper/prob01.pddl")), plan),
              "")
        << plan;
}

}  // namespace
}  // namespace vexmolda

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>

#include "command/Execute.h"
#include "command/LoadFile.h"
#include "command/Report.h"
#include "command/Session.h"
#include "solvers/Plan.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::messageText;
using testing::runLines;
using testing::session;

// The message "validate" gives for a plan text, on the domain loaded now.
std::string validated(const std::string& planText) {
    const std::string path = testing::writeTempFile("plan.txt", planText);
    session().messages.clear();
    executeLine(session(), "validate " + path);
    return messageText();
}

std::string invalidAt(int step, const std::string& text, const std::string& reason) {
    return "Plan invalid at step " + std::to_string(step) + " (" + text + "): " + reason + "\n";
}

TEST(Validate, EveryReasonOnTheCargoDomainAndTheModelStaysAsItWas) {
    freshSession();
    loadFile(session(), testing::sourcePath("examples/rocket.pln"));
    // A parcel fits a cargo parameter but is no cargo for the predicates.
    runLines({"derived cargo parcel", "atom parcel p1"});
    const std::string layered = session().currentPlan->toString();
    session().messages.clear();
    const std::string reportBefore = reportText(session());
    const std::size_t factsBefore = session().model.facts.size();
    const std::size_t instancesBefore = session().instances.size();

    EXPECT_EQ(validated("# the plan the solver found\n\n" + layered), "Plan valid: 5 steps reach the goal\n");
    EXPECT_EQ(validated("load(a,r,london)\n(load b r london)\n; fly\nfly(r, london, paris)\nunload(a,r,paris)\n"
                        "1: unload(b,r,paris)\n"),
              "Plan valid: 5 steps reach the goal\n");
    // Within a layer every step sees the state at its start.
    EXPECT_EQ(validated("1: load(a,r,london), fly(r,london,paris)\n2: unload(a,r,paris)\n"),
              "Plan invalid: goal at(b,paris) does not hold after 3 steps\n");
    EXPECT_EQ(validated("1: fly(r,london,paris), unload(a,r,paris)\n"),
              invalidAt(2, "unload(a,r,paris)", "precondition inside(a,r) does not hold"));
    EXPECT_EQ(validated("load(a,r,london)\nteleport(a,paris)\n"),
              invalidAt(2, "teleport(a,paris)", "no operation \"teleport\""));
    EXPECT_EQ(validated("fly(r,london)\n"), invalidAt(1, "fly(r,london)", "wrong number of parameters"));
    EXPECT_EQ(validated("load(c,r,london)\n"), invalidAt(1, "load(c,r,london)", "no atom \"c\""));
    // A step in the competitions' form is shown in its own parentheses.
    EXPECT_EQ(validated("(load london r london)\n"),
              "Plan invalid at step 1 (load london r london): type mismatch, london is type place, but cargo expected\n");
    EXPECT_EQ(validated("load(p1,r,london)\n"),
              invalidAt(1, "load(p1,r,london)", "type mismatch, p1 is type parcel, but cargo expected"));
    EXPECT_EQ(validated("load(a,r,paris)\n"), invalidAt(1, "load(a,r,paris)", "a constraint forbids it"));
    EXPECT_EQ(validated("fly(r,london,london)\n"), invalidAt(1, "fly(r,london,london)", "a constraint forbids it"));
    EXPECT_EQ(validated("unload(a,r,london)\n"),
              invalidAt(1, "unload(a,r,london)", "precondition inside(a,r) does not hold"));
    EXPECT_EQ(validated(""), "Plan invalid: goal at(a,paris) does not hold after 0 steps\n");
    session().messages.clear();
    executeLine(session(), "validate /nonexistent/plan");
    EXPECT_EQ(messageText(), "Cannot read plan \"/nonexistent/plan\"\n");

    // Grounding on its own: no instance, no new fact, the same plan and report.
    session().messages.clear();
    EXPECT_EQ(session().model.facts.size(), factsBefore);
    EXPECT_EQ(session().instances.size(), instancesBefore);
    EXPECT_EQ(session().currentPlan->toString(), layered);
    EXPECT_EQ(reportText(session()), reportBefore);
    // The switches decide as they do for "instance".
    runLines({"ignConst", "noDups"});
    EXPECT_EQ(validated("load(a,r,paris)\n"),
              invalidAt(1, "load(a,r,paris)", "precondition at(a,paris) does not hold"));
    EXPECT_EQ(validated("fly(r,london,london)\n"), "Plan invalid: goal at(a,paris) does not hold after 1 steps\n");
}

TEST(Validate, APlanFromThePddlTaskValidatesInTheCompetitionsFormWhateverTheCase) {
    const std::string domain = testing::sourcePath("tests/data/pddl/gripper/domain.pddl");
    const std::string problem = testing::sourcePath("tests/data/pddl/gripper/prob01.pddl");
    const std::string plan = testing::writeTempFile("gripper.plan", "");
    const auto solved = testing::runBatchProgram({"--pddl", domain, problem, "-c", "solve a*", "--plan-out", plan});
    ASSERT_EQ(solved.status, 0) << solved.output;
    std::ifstream in(plan);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_NE(text.find("(move "), std::string::npos) << text;
    std::string shouted = text;
    std::transform(shouted.begin(), shouted.end(), shouted.begin(), [](unsigned char c) { return std::toupper(c); });
    const std::string upper = testing::writeTempFile("GRIPPER.PLAN", shouted);
    const std::string broken = testing::writeTempFile("broken.plan", text.substr(text.find('\n') + 1));

    const auto checked = testing::runBatchProgram(
        {"--pddl", domain, problem, "--validate", plan, "--validate", upper, "--validate", broken});
    EXPECT_EQ(checked.status, 0);
    const std::size_t steps = std::count(text.begin(), text.end(), '\n') - 1;
    const std::string valid = "Plan valid: " + std::to_string(steps) + " steps reach the goal\n";
    EXPECT_NE(checked.output.find(valid + valid + "Plan invalid at step "), std::string::npos) << checked.output;
    // The plan was checked, not made: there is none in the report.
    EXPECT_EQ(checked.output.find("The plan:"), std::string::npos);
}

}  // namespace
}  // namespace vexmolda

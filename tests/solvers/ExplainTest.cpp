#include <gtest/gtest.h>

#include <string>

#include "command/Execute.h"
#include "command/LoadFile.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::messageText;
using testing::session;

std::string explainLines(const std::vector<std::string>& lines) {
    session().messages.clear();
    for (const std::string& line : lines) executeLine(session(), line);
    return messageText();
}

TEST(Explain, CargoExampleBeforeAndAlongTheLayeredPlan) {
    testing::freshSession();
    loadFile(session(), testing::sourcePath("examples/rocket.pln"));
    // Worked by hand: each cargo needs load, the flight and unload; the
    // flight is shared, so ff counts it once and hadd twice.
    EXPECT_EQ(explainLines({"explain"}),
              "Explain the initial state: ff 5, goalcount 2, hadd 6, hmax 2, lmcount 5\n"
              "  relaxed plan, 5 actions:\n"
              "    layer 0: fly(r,london,paris), load(a,r,london), load(b,r,london)\n"
              "    layer 1: unload(a,r,paris), unload(b,r,paris)\n"
              "  helpful actions: fly(r,london,paris), load(a,r,london), load(b,r,london)\n"
              "  landmarks, 8:\n"
              "    at(a,paris): goal, not reached, after rocketAt(r,paris), inside(a,r)\n"
              "    at(b,paris): goal, not reached, after rocketAt(r,paris), inside(b,r)\n"
              "    rocketAt(r,paris): not reached, after rocketAt(r,london)\n"
              "    inside(a,r): not reached, after at(a,london), rocketAt(r,london)\n"
              "    inside(b,r): not reached, after at(b,london), rocketAt(r,london)\n"
              "    rocketAt(r,london): reached\n"
              "    at(a,london): reached\n"
              "    at(b,london): reached\n"
              "  lmcount prefers: fly(r,london,paris), load(a,r,london), load(b,r,london)\n");
    // After the flight (layer 2 of "solve graph"): the cargo is inside, and
    // the facts left behind were reached on the way, so none is required again.
    const std::string afterFlight = explainLines({"explain 2"});
    EXPECT_EQ(afterFlight.substr(0, afterFlight.find('\n') + 1),
              "Explain the state after step 2 of 3: ff 2, goalcount 2, hadd 2, hmax 1, lmcount 2\n");
    EXPECT_NE(afterFlight.find("    rocketAt(r,london): reached\n"), std::string::npos);
    EXPECT_NE(afterFlight.find("  lmcount prefers: unload(a,r,paris), unload(b,r,paris)\n"), std::string::npos);
    EXPECT_EQ(explainLines({"explain 3"}).rfind("Explain the state after step 3 of 3: ff 0, goalcount 0, hadd 0, hmax 0, "
                                                "lmcount 0\n  relaxed plan: empty, the goal holds\n  landmarks, 8:\n",
                                                0),
              0u);
    EXPECT_EQ(explainLines({"explain 4", "explain x2"}),
              "Step 4 out of range: the plan has 3 steps\nStep \"x2\" is not a number\n");
    EXPECT_EQ(explainLines({"buildInst", "explain 1"}), "No plan to explain step 1 of\n");
    EXPECT_EQ(explainLines({"wipe", "explain"}), "No instances to explain: \"buildInst\" makes them\n");
}

TEST(Explain, DeadEndSaysTheGoalIsOutOfReachWithoutDeletes) {
    testing::freshSession();
    testing::runLines({"type t", "atom t x", "pred p(t:a)", "pred q(t:a)", "op make(t:a)", "pre make q(a)",
                       "add make p(a)", "init", "goal p(x)", "buildInst"});
    EXPECT_EQ(explainLines({"explain"}),
              "Explain the initial state: ff infinite, goalcount 1, hadd infinite, hmax infinite, lmcount infinite\n"
              "  relaxed plan: none, the goal cannot be reached even without deletes\n"
              "  landmarks: none, the goal cannot be reached even without deletes\n");
}

}  // namespace
}  // namespace vexmolda

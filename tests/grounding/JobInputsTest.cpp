// Long jobs on their own data: run() leaves everything the report shows as it
// was, reads its inputs when it starts (a job made early, queued behind a
// switch, sees the switch), and finish() gives what the line gives at once.

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "command/LongJob.h"
#include "command/Report.h"
#include "command/Token.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::runLines;
using testing::session;

// The report without its timing line, and every fact of the pool in id
// order: all a job may change.
std::string seen() {
    std::string text = std::regex_replace(reportText(session()), std::regex(" - required .* clock cycles .*\n"), "");
    for (std::size_t id = 0; id < session().model.facts.size(); ++id) {
        const Fact& fact = *session().model.facts[id];
        text += std::to_string(fact.id) + " " + factText(fact) + "\n";
    }
    return text;
}

// Loads the domain, makes the job for the line, then runs the lines that
// come after it in the queue; runs the job, checking that run() changes
// nothing seen; finishes it and returns what is seen then.
std::string queuedBehind(const std::vector<std::string>& domain, const std::string& line,
                         const std::vector<std::string>& queued) {
    freshSession();
    runLines(domain);
    std::unique_ptr<LongJob> job = longJobFor(session(), tokenize(line));
    EXPECT_NE(job, nullptr);
    if (!job) return "";
    runLines(queued);
    const std::string before = seen();
    const IslandRandom randomBefore = session().random;
    job->run();
    EXPECT_EQ(seen(), before) << line;
    EXPECT_TRUE(session().random == randomBefore) << line;
    job->finish();
    return seen();
}

// The same lines run at once, in the order they take effect.
std::string atOnce(const std::vector<std::string>& domain, const std::string& line,
                   const std::vector<std::string>& queued, const IslandRandom& random) {
    freshSession();
    runLines(domain);
    runLines(queued);
    session().random = random;
    runLines({line});
    return seen();
}

const std::vector<std::string> rocketDomain{
    "type place cargo rocket", "atom place london paris rome", "atom cargo a b c", "atom rocket r s",
    "pred at(cargo:c, place:p)", "pred inside(cargo:c, rocket:r)", "pred rocketAt(rocket:r, place:p)",
    "op load(cargo:c, rocket:r, place:p)", "pre load at(c,p) rocketAt(r,p)", "add load inside(c,r)",
    "del load at(c,p)", "op unload(cargo:c, rocket:r, place:p)", "pre unload inside(c,r) rocketAt(r,p)",
    "add unload at(c,p)", "del unload inside(c,r)", "op fly(rocket:r, place:from, place:to)",
    "pre fly rocketAt(r,from)", "add fly rocketAt(r,to)", "del fly rocketAt(r,from)",
    "op stay(rocket:r, rocket:s)", "const fly ~eq(to rome)",
    "init at(a,london) at(b,london) at(c,rome) rocketAt(r,london) rocketAt(s,paris)",
    "goal at(a,paris) at(b,rome) at(c,london)", "showInst on"};

TEST(JobInputs, AGroundingReadsTheSwitchesWhenItStarts) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"noDups off", "filterReds off"}, "stay(r,r)\n"}, {{"ignConst on"}, "fly(r,london,rome)\n"}};
    for (const auto& [queued, madeByTheSwitch] : cases) {
        SCOPED_TRACE(madeByTheSwitch);
        const IslandRandom random = session().random;
        const std::string queuedResult = queuedBehind(rocketDomain, "buildInst", queued);
        EXPECT_EQ(queuedResult, atOnce(rocketDomain, "buildInst", queued, random));
        EXPECT_NE(queuedResult.find(madeByTheSwitch), std::string::npos) << queuedResult;
    }
}

TEST(JobInputs, ASolveDrawsFromACopyOfTheRandomNumbersAndReadsLoggingWhenItStarts) {
    std::vector<std::string> domain = rocketDomain;
    domain.push_back("buildInst");
    const IslandRandom random = session().random;
    const std::string queuedResult = queuedBehind(domain, "solve inselrand", {"log off"});
    const IslandRandom drawn = session().random;
    EXPECT_FALSE(drawn == random) << "the solve drew no random number";
    EXPECT_EQ(queuedResult, atOnce(domain, "solve inselrand", {"log off"}, random));
    EXPECT_TRUE(session().random == drawn);
}

TEST(JobInputs, AFileLoadTakesTheSwitchesWhenItStarts) {
    const std::string file = testing::writeTempFile("rocket.pln", [] {
        std::string text;
        for (const std::string& line : rocketDomain) text += line + "\n";
        return text + "buildInst\nsolve inselrand\n";
    }());
    const std::vector<std::string> queued{"filterReds off", "log off"};
    const IslandRandom random = session().random;
    const std::string queuedResult = queuedBehind({}, "file " + file, queued);
    EXPECT_EQ(queuedResult, atOnce({}, "file " + file, queued, random));
    EXPECT_NE(queuedResult.find("Redundant Ops: allowed"), std::string::npos) << queuedResult;
}

}  // namespace
}  // namespace vexmolda

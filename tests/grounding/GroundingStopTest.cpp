// A stop request ends a grounding within half a second of processor time,
// however many bindings are left.

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "support/Session.h"

namespace vexmolda {
namespace {

// 60^6 bindings, every instance the same as the first: the build makes
// and drops instances for hours without growing.
std::string endlessGrounding() {
    std::string text = "type t\natom t";
    for (int i = 0; i < 60; ++i) text += " x" + std::to_string(i);
    return text + "\nop o(t:a, t:b, t:c, t:d, t:e, t:f)\nbuildInst\n";
}

TEST(GroundingStop, TheTimeLimitEndsAnEndlessGroundingPromptly) {
    const std::string file = testing::writeTempFile("endless.pln", endlessGrounding());
    const testing::BatchResult run = testing::runShellCommand(
        "'" + std::string(VEXMOLDA_BATCH) + "' --time-limit 0.3 --stats " + file + " -c 'type after' 2>&1 </dev/null");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("\nStopped at the time limit of 0.3 s: no instances built\n"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("Types: after, any, t\n"), std::string::npos) << "the next argument ran: " << run.output;
    std::smatch stats;
    ASSERT_TRUE(std::regex_search(run.output, stats, std::regex("\"event\":\"ground\".*\"cpu_s\":([0-9.]+)")))
        << run.output;
    // The limit counts wall-clock time, so the processor time up to the stop
    // request is at most 0.3 s; what comes after it is the stop's latency.
    EXPECT_LT(std::stod(stats[1].str()), 0.3 + 0.5) << run.output;
}

}  // namespace
}  // namespace vexmolda

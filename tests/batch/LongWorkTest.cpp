// Long work in the headless program: running out of memory, the time limit
// and Ctrl-C each end the solve with a report, and only Ctrl-C ends the run.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/Session.h"
#include "support/SwitchesTask.h"

namespace vexmolda {
namespace {

using testing::writeTempFile;

// Twenty switches and a goal nothing achieves: the search has a million
// states to go through before it could give up.
std::string switchesDomain() { return testing::switchesTask(20, "done()"); }

using ShellResult = testing::BatchResult;

// Runs a shell script in which $batch is the headless program.
ShellResult runShell(const std::string& script) {
    const std::string path =
        writeTempFile("run.sh", "batch='" + std::string(VEXMOLDA_BATCH) + "'\nexec 2>&1 </dev/null\n" + script + "\n");
    return testing::runShellCommand("bash " + path);
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(LongWork, MemoryTimeAndCtrlCEachEndTheSolveWithAReport) {
    const std::string domain = writeTempFile("switches.pln", switchesDomain());

    // Address space too small for the search: the process survives it and goes on.
    const ShellResult memory =
        runShell("ulimit -v 30000; $batch " + domain + " -c 'solve a*' -c 'type after'");
    EXPECT_EQ(memory.status, 0) << memory.output;
    EXPECT_TRUE(has(memory.output, "\nSolution not found\n")) << memory.output;
    EXPECT_TRUE(has(memory.output, "\nOut of memory after ")) << memory.output;
    EXPECT_TRUE(has(memory.output, "Types: after, any, t\n")) << "the next argument ran: " << memory.output;

    const ShellResult timed = runShell("$batch " + domain + " -c 'solve a*' --time-limit 0.5 -c 'type after'");
    EXPECT_EQ(timed.status, 0) << timed.output;
    EXPECT_TRUE(has(timed.output, "\nSolution not found\n")) << timed.output;
    EXPECT_TRUE(has(timed.output, "\nStopped at the time limit of 0.5 s\n")) << timed.output;
    EXPECT_TRUE(has(timed.output, "Types: after, any, t\n")) << timed.output;

    // Ctrl-C once the solve shows its progress: the report, status 130, and
    // no further argument.
    const std::string progress = writeTempFile("progress.txt", "");
    const ShellResult interrupted = runShell(
        "$batch --progress " + domain + " -c 'solve a*' -c 'type after' 2>" + progress +
        " & program=$!\n"
        "for try in $(seq 600); do grep -q 'solve a\\*: ' " + progress + " && break; sleep 0.1; done\n"
        "grep -q 'solve a\\*: ' " + progress + " || echo 'no progress line within 60 s'\n"
        "kill -INT $program; wait $program");
    EXPECT_EQ(interrupted.status, 130) << interrupted.output;
    EXPECT_TRUE(has(interrupted.output, "\nSolution not found\n")) << interrupted.output;
    EXPECT_TRUE(has(interrupted.output, "\nStopped by the user after ")) << interrupted.output;
    EXPECT_TRUE(has(interrupted.output, "Types: any, t\n")) << interrupted.output;
}

}  // namespace
}  // namespace vexmolda

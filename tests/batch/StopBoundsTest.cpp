// The stop bounds of long work in the headless program: a time limit ends a
// search within half a second of processor time after it, and a memory limit
// keeps the process within a few megabytes of it.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/Session.h"
#include "support/SwitchesTask.h"

namespace vexmolda {
namespace {

using testing::switchesTask;
using testing::writeTempFile;

struct ChildRun {
    std::string output;  // standard output and error
    int status = -1;     // -1 when it did not end in time and was killed
    long peakKilobytes = 0;
};

// Runs the headless program with the arguments and waits for it, killing it
// past the deadline; reads its peak resident memory from its resource usage.
ChildRun runBatch(const std::vector<std::string>& arguments, std::chrono::seconds deadline) {
    const std::string outputPath = writeTempFile("output.txt", "");
    std::vector<std::string> words{VEXMOLDA_BATCH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    ChildRun run;
    const pid_t child = fork();
    if (child < 0) return run;
    if (child == 0) {
        const int output = open(outputPath.c_str(), O_WRONLY | O_TRUNC);
        const int input = open("/dev/null", O_RDONLY);
        if (output < 0 || input < 0) _exit(127);
        dup2(input, 0);
        dup2(output, 1);
        dup2(output, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    const auto end = std::chrono::steady_clock::now() + deadline;
    pid_t ended = 0;
    while ((ended = wait4(child, &status, WNOHANG, &usage)) == 0 && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (ended == 0) {
        kill(child, SIGKILL);
        wait4(child, &status, 0, &usage);
    } else if (WIFEXITED(status)) {
        run.status = WEXITSTATUS(status);
    }
    run.peakKilobytes = usage.ru_maxrss;
    std::ifstream file(outputPath);
    std::stringstream text;
    text << file.rdbuf();
    run.output = text.str();
    return run;
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The solve's processor seconds from its --stats line, or -1.
double solveCpuSeconds(const std::string& output) {
    const std::size_t line = output.find("{\"event\":\"solve\"");
    if (line == std::string::npos) return -1;
    const std::size_t field = output.find("\"cpu_s\":", line);
    if (field == std::string::npos) return -1;
    return std::stod(output.substr(field + 8));
}

// A goal mutex at every level: the graph levels off and no level makes a
// search call, so the reachability check over the million states the
// switches reach decides, and the time limit passes while it runs.
TEST(StopBounds, TimeLimitEndsALevelledOffGraphWithinHalfASecond) {
    const std::string task = writeTempFile("switches.pln", switchesTask(20, "on(s1) off(s1)"));
    constexpr double limit = 0.3;
    const ChildRun run = runBatch({"--stats", "--time-limit", "0.3", task, "-c", "solve graph"}, std::chrono::seconds(60));
    ASSERT_EQ(run.status, 0) << "the solve did not end: " << run.output;
    EXPECT_TRUE(has(run.output, "\nSolution not found\n")) << run.output;
    EXPECT_TRUE(has(run.output, "\nStopped at the time limit of 0.3 s\n")) << run.output;
    const double cpuSeconds = solveCpuSeconds(run.output);
    EXPECT_GE(cpuSeconds, 0) << run.output;
    EXPECT_LE(cpuSeconds, limit + 0.5) << run.output;
}

// Two million states, about 70 MB for a*: the limit falls just before its
// state table doubles, a growth of 16 MB at once.
TEST(StopBounds, MemoryLimitHoldsThePeakWithinAFewMegabytes) {
    const std::string task = writeTempFile("switches.pln", switchesTask(21, "done()"));
    constexpr long limitMegabytes = 48;
    const ChildRun run =
        runBatch({"--memory-limit", std::to_string(limitMegabytes), task, "-c", "solve a*"}, std::chrono::seconds(120));
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(has(run.output, "\nSolution not found\n")) << run.output;
    EXPECT_TRUE(has(run.output, " states (limit 48 MB)\n")) << run.output;
    EXPECT_LE(run.peakKilobytes, (limitMegabytes + 4) * 1024) << run.output;
}

}  // namespace
}  // namespace vexmolda

#include "support/Session.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "command/Execute.h"
#include "command/Wipe.h"

namespace vexmolda::testing {

Session& session() {
    static Session shared;
    return shared;
}

void freshSession() {
    Session& current = session();
    wipe(current);
    current.messages.clear();
    current.log.clear();
    current.logging() = true;
    current.switches = Switches{};
    current.quitRequested = false;
    current.control->begin();
}

void runLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) executeLine(session(), line);
}

std::string messageText() { return session().messages.text(); }

bool lastPlanIsCurrent() {
    const Session& current = session();
    return current.currentPlan && current.lastSolve && current.currentPlan == current.lastSolve->plan.get();
}

const ParPlan& lastLayeredPlan() { return dynamic_cast<const ParPlan&>(*session().lastSolve->plan); }

SolveResult solveDirectly(Solver& solver, std::int32_t limit) {
    Session& current = session();
    const SolveTask task{current.model.facts, current.instances, current.model.initState,
                         current.model.goalState, limit, current.logging()};
    SolveContext context{*current.control, current.random};
    SolveResult result;
    result.log.enabled = task.logging;
    result.found = solver.solve(task, result, context);
    result.statistics = solver.takeStatistics();
    return result;
}

std::string sourcePath(const std::string& relative) { return std::string(VEXMOLDA_SOURCE_DIR) + "/" + relative; }

namespace {

std::string shellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char byte : text) {
        if (byte == '\'') {
            quoted += "'\\''";
        } else {
            quoted += byte;
        }
    }
    return quoted + "'";
}

}  // namespace

BatchResult runBatchProgram(const std::vector<std::string>& arguments, const std::string& workingDirectory) {
    std::string command;
    if (!workingDirectory.empty()) command = "cd " + shellQuote(workingDirectory) + " && ";
    command += shellQuote(VEXMOLDA_BATCH);
    for (const std::string& argument : arguments) command += " " + shellQuote(argument);
    command += " </dev/null 2>&1";
    return runShellCommand(command);
}

BatchResult runShellCommand(const std::string& command) {
    BatchResult result{"", -1};
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, count);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string writeTempFile(const std::string& name, const std::string& content) {
    static int counter = 0;
    const auto directory = std::filesystem::temp_directory_path() /
                           ("vexmolda-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    // A directory left by an earlier process of the same number starts empty again.
    std::filesystem::remove_all(directory);
    std::filesystem::create_directories(directory);
    const auto path = directory / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

}  // namespace vexmolda::testing

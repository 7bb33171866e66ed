#include "pddl/ProgramOptions.h"

#include <cstdio>
#include <cstdlib>

#include "command/LoadFile.h"
#include "command/Session.h"
#include "command/StartupFile.h"
#include "command/Version.h"
#include "pddl/PddlLoader.h"
#include "pddl/PlanWriter.h"

namespace vexmolda {

const char* const windowUsage =
    "usage: vexmolda [--pddl DOMAIN PROBLEM] [--plan-out FILE] [--time-limit SECONDS] [--memory-limit MB] [--stats]\n"
    "  --pddl DOMAIN PROBLEM  open on a PDDL domain and problem instead of rocket.pln\n"
    "  --plan-out FILE        write the plan in PDDL plan format after every successful solve\n"
    "  --time-limit SECONDS   stop a solve or grounding that runs longer (wall clock)\n"
    "  --memory-limit MB      stop a solve or grounding once the program uses more memory\n"
    "  --stats                one JSON line on standard error after every solve and grounding\n"
    "  --version              print the version and exit\n"
    "  --help                 print this help and exit\n"
    "Escape stops the running work.\n";

bool readProgramOptions(const std::vector<std::string>& arguments, ProgramOptions& options) {
    options = ProgramOptions{};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help") {
            options.showUsage = true;
        } else if (argument == "--version") {
            options.showVersion = true;
        } else if (argument == "--pddl" && i + 2 < arguments.size()) {
            options.pddlDomain = arguments[i + 1];
            options.pddlProblem = arguments[i + 2];
            i += 2;
        } else if (argument == "--plan-out" && i + 1 < arguments.size()) {
            options.planOut = arguments[++i];
        } else if (readWorkOption(arguments, i, options.work) != 1) {
            return false;
        }
    }
    return true;
}

ProgramOptions programOptionsOrExit(int argc, char** argv) {
    ProgramOptions options;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!readProgramOptions(arguments, options)) {
        std::fputs(windowUsage, stderr);
        std::exit(2);
    }
    if (options.showUsage) {
        std::fputs(windowUsage, stdout);
        std::exit(0);
    }
    if (options.showVersion) {
        std::fputs(versionLine, stdout);
        std::exit(0);
    }
    return options;
}

void applyProgramOptions(Session& session, const ProgramOptions& options) {
    if (!options.planOut.empty()) {
        const std::string path = options.planOut;
        session.hooks.afterSolve = [path](Session& solved, const SolveResult& result, const WorkSummary&) {
            writeSolveOutcome(solved, path, outcomeOfSolve(solved, result.found));
        };
    }
    applyWorkOptions(session, options.work);
}

std::unique_ptr<LongJob> startupJob(Session& session, const ProgramOptions& options) {
    if (!options.pddlDomain.empty()) {
        return std::make_unique<PddlLoadJob>(session, options.pddlDomain, options.pddlProblem);
    }
    return std::make_unique<FileLoadJob>(session, startupFile("rocket.pln", "examples/rocket.pln"));
}

std::string startupDescription(const ProgramOptions& options) {
    if (!options.pddlDomain.empty()) return "Loading " + options.pddlProblem;
    return "Loading rocket.pln";
}

void loadStartupDomain(Session& session, const ProgramOptions& options) {
    applyProgramOptions(session, options);
    std::unique_ptr<LongJob> job = startupJob(session, options);
    job->run();
    job->finish();
}

}  // namespace vexmolda

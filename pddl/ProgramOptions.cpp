#include "pddl/ProgramOptions.h"

#include <cstdio>
#include <cstdlib>

#include "command/LoadFile.h"
#include "command/StartupFile.h"
#include "command/Version.h"
#include "pddl/PddlLoader.h"
#include "pddl/PlanWriter.h"
#include "solvers/Solver.h"

namespace vexmolda {

const char* const windowUsage =
    "usage: vexmolda [--pddl DOMAIN PROBLEM] [--plan-out FILE]\n"
    "  --pddl DOMAIN PROBLEM  open on a PDDL domain and problem instead of rocket.pln\n"
    "  --plan-out FILE        write the plan in PDDL plan format after every successful solve\n"
    "  --version              print the version and exit\n"
    "  --help                 print this help and exit\n";

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
        } else {
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

void loadStartupDomain(const ProgramOptions& options) {
    if (!options.planOut.empty()) {
        const std::string path = options.planOut;
        afterSolve = [path](bool found) {
            if (found) writeCurrentPlan(path);
        };
    }
    if (!options.pddlDomain.empty()) {
        loadPddl(options.pddlDomain, options.pddlProblem);
    } else {
        loadFile(startupFile("rocket.pln", "examples/rocket.pln"));
    }
}

}  // namespace vexmolda

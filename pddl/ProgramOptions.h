#pragma once
// The window program's arguments: a PDDL task to open and a file for its plans.

#include <memory>
#include <string>
#include <vector>

#include "command/LongJob.h"
#include "command/WorkOptions.h"

namespace vexmolda {

class Session;

// What the window program was started with; empty strings when not given.
struct ProgramOptions {
    std::string pddlDomain;
    std::string pddlProblem;
    std::string planOut;
    WorkOptions work;          // --time-limit, --memory-limit, --stats
    bool showUsage = false;    // "--help"
    bool showVersion = false;  // "--version"
};

// The usage text of the window program.
extern const char* const windowUsage;

// Reads "--pddl DOMAIN PROBLEM", "--plan-out FILE", the work options,
// "--help" and "--version"; false on anything else. No arguments leave
// everything empty.
bool readProgramOptions(const std::vector<std::string>& arguments, ProgramOptions& options);

// For main: reads the arguments; prints the usage or the version and exits
// (0 for --help and --version, 2 for bad arguments) when the program should not start.
ProgramOptions programOptionsOrExit(int argc, char** argv);

// Loads the start-up domain: the PDDL task when given, else "rocket.pln"
// from the working directory (else the installed example); with a plan file,
// writes the plan there after every successful solve (and says so when a
// solve finds none).
void loadStartupDomain(Session& session, const ProgramOptions& options);

// The hooks and limits of the options: the plan file, limits, statistics.
void applyProgramOptions(Session& session, const ProgramOptions& options);
// The start-up load as a job: the PDDL task when given, else "rocket.pln".
std::unique_ptr<LongJob> startupJob(Session& session, const ProgramOptions& options);
// What the start-up load's progress line calls it.
std::string startupDescription(const ProgramOptions& options);

}  // namespace vexmolda

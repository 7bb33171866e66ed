#pragma once
// The window program's arguments: a PDDL task to open and a file for its plans.

#include <string>
#include <vector>

namespace vexmolda {

// What the window program was started with; empty strings when not given.
struct ProgramOptions {
    std::string pddlDomain;
    std::string pddlProblem;
    std::string planOut;
    bool showUsage = false;  // "--help"
};

// The usage text of the window program.
extern const char* const windowUsage;

// Reads "--pddl DOMAIN PROBLEM", "--plan-out FILE" and "--help"; false on
// anything else. No arguments leave everything empty.
bool readProgramOptions(const std::vector<std::string>& arguments, ProgramOptions& options);

// For main: reads the arguments; prints the usage and exits (0 for --help,
// 2 for bad arguments) when the program should not start.
ProgramOptions programOptionsOrExit(int argc, char** argv);

// Loads the start-up domain: the PDDL task when given, else "rocket.pln"
// from the working directory; with a plan file, writes the plan there after
// every successful solve (and says so when a solve finds none).
void loadStartupDomain(const ProgramOptions& options);

}  // namespace vexmolda

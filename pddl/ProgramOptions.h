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
    bool showUsage = false;    // "--help"
    bool showVersion = false;  // "--version"
};

// The usage text of the window program.
extern const char* const windowUsage;

// Reads "--pddl DOMAIN PROBLEM", "--plan-out FILE", "--help" and "--version";
// false on anything else. No arguments leave everything empty.
bool readProgramOptions(const std::vector<std::string>& arguments, ProgramOptions& options);

// For main: reads the arguments; prints the usage or the version and exits
// (0 for --help and --version, 2 for bad arguments) when the program should not start.
ProgramOptions programOptionsOrExit(int argc, char** argv);

// Loads the start-up domain: the PDDL task when given, else "rocket.pln"
// from the working directory (else the installed example); with a plan file,
// writes the plan there after every successful solve.
void loadStartupDomain(const ProgramOptions& options);

}  // namespace vexmolda

#pragma once
// The headless runner: domain files, PDDL tasks and command lines from the arguments.

#include <string>
#include <vector>

namespace vexmolda {

// Runs the arguments in order ("-c LINE", "--pddl DOMAIN PROBLEM" or a domain
// file), writes the plan when "--plan-out FILE" is given, then prints the
// report once ("--help" and "--version" only print); returns the exit status
// (1 when a file argument could not be loaded, a PDDL task was refused or a
// requested file could not be written, 2 for bad arguments, 130 after Ctrl-C).
int runBatch(const std::vector<std::string>& arguments);

}  // namespace vexmolda

#pragma once
// The headless runner: domain files and command lines from the arguments.

#include <string>
#include <vector>

namespace vexmolda {

// Runs the arguments in order ("-c LINE" or a domain file), then prints the
// report once; returns the exit status.
int runBatch(const std::vector<std::string>& arguments);

}  // namespace vexmolda

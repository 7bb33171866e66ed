#pragma once
// Helpers that put the process-wide model into a known state for a test.

#include <string>
#include <vector>

namespace vexmolda::testing {

// An empty domain (after a wipe), empty buffers, switches at their start values.
void freshSession();
// Executes each line as if typed.
void runLines(const std::vector<std::string>& lines);
// The messages buffer as one text.
std::string messageText();
// Path of a file in the source tree.
std::string sourcePath(const std::string& relative);
// Runs vexmolda-batch with the arguments; returns its standard output and status.
struct BatchResult {
    std::string output;
    int status;
};
BatchResult runBatchProgram(const std::vector<std::string>& arguments, const std::string& workingDirectory = "");
// Writes a file and returns its path in a fresh temporary directory.
std::string writeTempFile(const std::string& name, const std::string& content);

}  // namespace vexmolda::testing

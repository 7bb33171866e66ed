#pragma once
// The console report: the whole state, reprinted after every command.

#include <string>

namespace vexmolda {

// The report's text, exactly as printed (without any screen clearing).
std::string reportText();

// Clears dirty, then writes the report to standard output; clears the
// terminal first when asked to.
void printReport(bool clearScreen);

}  // namespace vexmolda

#pragma once
// The console report: the whole state, reprinted after every command.

#include <string>

namespace vexmolda {

class Session;

// The report's text, exactly as printed (without any screen clearing).
std::string reportText(const Session& session);

// Clears dirty, then writes the report to standard output; clears the
// terminal first when asked to.
void printReport(Session& session, bool clearScreen);

}  // namespace vexmolda

#pragma once
// Loading domain files: a wipe, then every line as a command.

#include <string>

namespace vexmolda {

class Session;

// Loads the named file (used as given) into the session; a missing file only
// adds a message. A stop request ends the load after the line that saw it,
// with a message naming that line; the lines run before it stay. True when
// the file was opened (and so the domain replaced).
bool loadFile(Session& session, const std::string& name);

// The "file" command's name rule: ".pln" is appended unless already there.
std::string domainFileName(const std::string& name);

}  // namespace vexmolda

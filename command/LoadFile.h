#pragma once
// Loading domain files: a wipe, then every line as a command.

#include <string>

namespace vexmolda {

// Loads the named file (used as given). False after one message when it was
// not loaded (missing, a directory, unreadable, already being loaded, nested
// too deeply; the domain stays) or a read failed midway (the load stops there).
bool loadFile(const std::string& name);

// The "file" command's name rule: ".pln" is appended unless already there.
std::string domainFileName(const std::string& name);

}  // namespace vexmolda

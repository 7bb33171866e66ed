#pragma once
// Loading domain files: a wipe, then every line as a command.

#include <string>

namespace vexmolda {

// Loads the named file (used as given); a missing file only adds a message.
void loadFile(const std::string& name);

// The "file" command's name rule: ".pln" is appended unless already there.
std::string domainFileName(const std::string& name);

}  // namespace vexmolda

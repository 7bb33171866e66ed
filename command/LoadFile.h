#pragma once
// Loading domain files: a wipe, then every line as a command.

#include <string>

namespace vexmolda {

class Session;

// How a load ended.
enum class LoadResult {
    notLoaded,   // missing, a directory, unreadable, already being loaded, nested too deeply: the domain stays
    loaded,      // every line ran (or the lines up to a stop request)
    readFailed,  // the domain was replaced, but a read failed midway and the load stopped there
};

// Loads the named file (used as given) into the session; every problem is
// one message. A stop request ends the load after the line that saw it, with
// a message naming that line; the lines run before it stay.
LoadResult loadFile(Session& session, const std::string& name);

// The "file" command's name rule: ".pln" is appended unless already there.
std::string domainFileName(const std::string& name);

}  // namespace vexmolda

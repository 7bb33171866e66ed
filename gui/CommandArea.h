#pragma once
// Drawing of the bottom strip: the message panel and the command line.

#include <cstddef>
#include <string>
#include <vector>

namespace vexmolda {

class CommandRunner;
class Session;

// The panel's lines: the messages, then, while work runs, its progress line
// and how many lines wait.
std::vector<std::string> panelLines(const std::vector<std::string>& messages, const std::string& progress,
                                    std::size_t waiting);
// The same for the session's messages and the runner's work.
std::vector<std::string> panelLines(const Session& session, const CommandRunner& runner);

// Draws the message panel and the command line; the last step of a frame.
void drawCommandArea(const Session& session, const CommandRunner& runner);

}  // namespace vexmolda

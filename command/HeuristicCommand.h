#pragma once
// "heuristic [NAME]": the heuristic every search uses.

#include "command/Token.h"

namespace vexmolda {

class Session;

// Sets the session's heuristic (a heuristic's name, or "default"), or with
// no name writes the setting into the messages; an unknown name is one
// message line.
void heuristicCommand(Session& session, const TokenList& tokens);

}  // namespace vexmolda

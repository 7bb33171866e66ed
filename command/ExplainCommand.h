#pragma once
// "explain [N]": what every heuristic says about the initial state or the
// state after step N of the current plan.

#include "command/Token.h"

namespace vexmolda {

class Session;

// Writes the heuristics' values, the relaxed plan by layers, its helpful
// actions and the landmarks with their orders into the messages; a problem
// is one message line.
void explainCommand(Session& session, const TokenList& tokens);

}  // namespace vexmolda

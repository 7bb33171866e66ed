#pragma once
// Reading literal lists of a command line into a state.

#include "command/Token.h"
#include "domain/Operation.h"
#include "domain/State.h"

namespace vexmolda {

class Session;

// Empties target and fills it with the literals of the line: from token 2 for
// an operation's lists (whose parameters may then be named), else from token 1.
void parseFacts(Session& session, const TokenList& tokens, State& target, const Operation* owner);

}  // namespace vexmolda

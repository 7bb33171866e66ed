#pragma once
// The "const" and "condconst" commands.

#include "command/Token.h"

namespace vexmolda {

class Session;

// Adds the line's membership items to an operation's constraints ("const"),
// or one implication made of them ("condconst").
void executeConstraintCommand(Session& session, const TokenList& tokens);

}  // namespace vexmolda

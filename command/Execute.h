#pragma once
// The command interpreter: one tokenized line in, its effects on the session out.

#include <string>

#include "command/Token.h"

namespace vexmolda {

class Session;

// Runs one command line; every problem becomes a line in the session's messages.
void execute(Session& session, TokenList tokens);

// "validate": replays the plan file against the domain; one message.
void validateCommand(Session& session, const std::string& path);

// tokenize then execute.
void executeLine(Session& session, const std::string& line);

}  // namespace vexmolda

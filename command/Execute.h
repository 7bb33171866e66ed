#pragma once
// The command interpreter: one tokenized line in, its effects on the model out.

#include "command/Token.h"

namespace vexmolda {

// Runs one command line; every problem becomes a line in messages.
void execute(TokenList tokens);

// "validate": replays the plan file against the domain; one message.
void validateCommand(const std::string& path);

// tokenize then execute.
void executeLine(const std::string& line);

}  // namespace vexmolda

#pragma once
// A window action (a button click) as an entry of the command queue.

#include <functional>
#include <memory>
#include <string>

#include "command/LongJob.h"

namespace vexmolda {

// Runs when its turn comes among the typed lines, reading the session then;
// returns the long job that does its work, or null when it is done.
using WindowAction = std::function<std::unique_ptr<LongJob>()>;
// Puts a window action, described for the progress line, at the end of the queue.
using ActionQueue = std::function<void(WindowAction action, std::string description)>;

}  // namespace vexmolda

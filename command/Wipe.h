#pragma once
// Destroying the whole domain, as the "wipe" command and every file load do.

namespace vexmolda {

class Session;

// Types, atoms, predicates, facts, operations, instances, states, plan, log
// and what the solves left, and a refused task's mark (noTaskReason). The
// switches and messages stay.
void wipe(Session& session);

}  // namespace vexmolda

#pragma once
// Destroying the whole domain, as the "wipe" command and every file load do.

namespace vexmolda {

// Types, atoms, predicates, facts, operations, instances, states, plan, log;
// then every solver's reset. The switches and messages stay.
void wipe();

}  // namespace vexmolda

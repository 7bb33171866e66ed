#pragma once
// The process-wide switches that commands toggle and the report shows.

namespace vexmolda {

extern bool dirty;       // the report is out of date; set by every execute
extern bool noDups;      // an instance may not bind one object twice
extern bool ignConst;    // operation constraints are not evaluated
extern bool filterReds;  // instances equal to an earlier one are dropped
extern bool showInst;    // the report lists every instance

// The logging switch is the log buffer's enabled flag.
bool& logging();

}  // namespace vexmolda

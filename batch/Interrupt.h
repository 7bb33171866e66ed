#pragma once
// Ctrl-C in the headless program: the first stops the running work, the
// second ends the program at once.

#include "domain/WorkControl.h"

namespace vexmolda {

// Installs the SIGINT handler for the control; until uninstalled, the
// control must outlive it.
void installInterruptHandler(WorkControl& control);
void uninstallInterruptHandler();
// Whether SIGINT arrived since the handler was installed.
bool interrupted();

// The exit status after SIGINT, as shells report a program ended by it.
constexpr int interruptedStatus = 130;

}  // namespace vexmolda

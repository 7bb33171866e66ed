#include "batch/Interrupt.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>

namespace vexmolda {

namespace {

// A signal handler reaches only what is process-wide; both are lock-free.
std::atomic<WorkControl*> interruptedControl{nullptr};
std::atomic<int> interruptCount{0};

void onInterrupt(int) {
    if (interruptCount.fetch_add(1) > 0) _exit(interruptedStatus);
    if (WorkControl* control = interruptedControl.load()) control->requestStop(StopReason::user);
}

}  // namespace

void installInterruptHandler(WorkControl& control) {
    interruptCount.store(0);
    interruptedControl.store(&control);
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
}

void uninstallInterruptHandler() {
    signal(SIGINT, SIG_DFL);
    interruptedControl.store(nullptr);
}

bool interrupted() { return interruptCount.load() > 0; }

}  // namespace vexmolda

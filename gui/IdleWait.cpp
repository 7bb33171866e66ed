#include "gui/IdleWait.h"

namespace vexmolda {

bool shouldWaitForEvents(const LoopActivity& activity) {
    return !activity.framePending && !activity.windowSliding && !activity.workRunning && !activity.sessionChanged;
}

bool shouldDrawFrame(bool waited, unsigned long eventsBefore, unsigned long eventsAfter) {
    return !waited || eventsAfter != eventsBefore;
}

}  // namespace vexmolda

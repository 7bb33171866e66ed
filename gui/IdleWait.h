#pragma once
// When the frame loop may sleep until input comes: plain decisions, no GL.

namespace vexmolda {

// What keeps the loop drawing although no input arrives.
struct LoopActivity {
    bool framePending = false;   // nothing drawn yet since the window opened
    bool windowSliding = false;  // a window slides in or out
    bool workRunning = false;    // work runs beside the loop (its progress line changes) or lines wait
    bool sessionChanged = false; // ended work or a waiting line changed what the windows show
};

// The longest sleep between two looks at the loop's other duties, in seconds.
constexpr double idleWaitSeconds = 0.5;

// True when nothing changes without input: the loop waits for events instead of drawing.
bool shouldWaitForEvents(const LoopActivity& activity);
// Whether a pass draws a frame: always, unless it waited and no event came.
bool shouldDrawFrame(bool waited, unsigned long eventsBefore, unsigned long eventsAfter);

}  // namespace vexmolda

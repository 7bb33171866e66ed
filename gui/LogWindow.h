#pragma once
// The window that shows the solver log and the current plan.

#include <string>

#include "command/Session.h"
#include "gui/ScrollingWindow.h"

namespace vexmolda {

// The log buffer followed by the plan of the last successful run, wrapped and scrolling.
class LogWindow : public ScrollingWindow {
public:
    // Made once by initGui; draws the session's log and plan.
    explicit LogWindow(const Session& session);

protected:
    void drawContent() override;

private:
    const Session& session;
};

// The log lines as appended, then, when a plan is current, a gap, "Solution:" and the plan.
std::string logWindowText(const Session& session);

}  // namespace vexmolda

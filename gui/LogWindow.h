#pragma once
// The window that shows the solver log and the current plan.

#include <cstdint>
#include <string>

#include "command/Session.h"
#include "gui/ScrollingWindow.h"
#include "gui/WrappedText.h"

namespace vexmolda {

// The log buffer followed by the plan of the last successful run, wrapped and
// scrolling. The text is wrapped once per change of the log or the plan, and
// only the rows in view are drawn: a log can hold millions of lines.
class LogWindow : public ScrollingWindow {
public:
    // Made once by initGui; draws the session's log and plan.
    explicit LogWindow(const Session& session);

    // The rows in view under the scroll, and the y (window units) of the first.
    std::string shownText(float& top);

protected:
    void drawContent() override;
    float contentBottom() override;
    std::uint64_t contentStamp() const override;

private:
    const Session& session;
    // Rewraps when the log, the plan or the font changed since the last call.
    void refresh();

    WrappedText wrapped;
    struct Source {
        std::uint64_t logStamp = ~std::uint64_t{0};
        std::size_t logLines = 0;
        std::string plan;
        std::size_t fontGlyphs = 0;
        bool operator==(const Source&) const = default;
    } source;
};

// The log lines as appended, then, when a plan is current, a gap, "Solution:" and the plan.
std::string logWindowText(const Session& session);

}  // namespace vexmolda

#include "gui/LogWindow.h"

#include <limits>

#include "gui/Font.h"

namespace vexmolda {

namespace {
constexpr float textLeft = 1.5f;
constexpr float textTop = 1.5f;
constexpr float wrapWidth = 98;
}  // namespace

LogWindow::LogWindow(const Session& session) : ScrollingWindow("Log"), session(session) {}

std::string logWindowText(const Session& session) {
    std::string text = session.log.text();
    if (session.currentPlan) text += "\n\n\n\nSolution:\n\n" + session.currentPlan->toString();
    return text;
}

void LogWindow::refresh() {
    if (!fontLoaded()) return;
    const Plan* plan = session.currentPlan;
    Source now{session.log.contentStamp(), session.log.lines.size(), plan ? plan->toString() : std::string(),
               currentFont().glyphs.size()};
    if (now == source) return;
    source = std::move(now);
    wrapped.assign(logWindowText(session), currentFont(), wrapWidth, bodyTextSize);
}

std::string LogWindow::shownText(float& top) {
    refresh();
    const RowRange range = rowsOnScreen(scroll, textTop, bodyTextSize, wrapped.rowCount());
    top = textTop + bodyTextSize * static_cast<float>(range.first);
    return wrapped.rows(range.first, range.end);
}

void LogWindow::drawContent() {
    float top = textTop;
    const std::string text = shownText(top);
    // Already wrapped: drawn line by line as drawTextWrapped would.
    drawText(text, textLeft, top, bodyTextSize, false);
}

float LogWindow::contentBottom() {
    if (!fontLoaded()) return std::numeric_limits<float>::infinity();
    refresh();
    return textTop + bodyTextSize * static_cast<float>(wrapped.rowCount());
}

std::uint64_t LogWindow::contentStamp() const { return session.log.contentStamp(); }

}  // namespace vexmolda

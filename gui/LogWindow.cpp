#include "gui/LogWindow.h"

#include <limits>

#include "command/TextBuffer.h"
#include "gui/Font.h"
#include "solvers/Plan.h"

namespace vexmolda {

namespace {
constexpr float textLeft = 1.5f;
constexpr float textTop = 1.5f;
constexpr float textSize = 2;
constexpr float wrapWidth = 98;
}  // namespace

LogWindow::LogWindow() : ScrollingWindow("Log") {}

std::string logWindowText() {
    std::string text = log.text();
    if (currentPlan) text += "\n\n\n\nSolution:\n\n" + currentPlan->toString();
    return text;
}

void LogWindow::refresh() {
    if (!fontLoaded()) return;
    Source now{log.clearCount(), log.lines.size(), currentPlan ? currentPlan->toString() : std::string(),
               currentFont().glyphs.size()};
    if (now == source) return;
    source = std::move(now);
    wrapped.assign(logWindowText(), currentFont(), wrapWidth, textSize);
}

std::string LogWindow::shownText(float& top) {
    refresh();
    const RowRange range = rowsOnScreen(scroll, textTop, textSize, wrapped.rowCount());
    top = textTop + textSize * static_cast<float>(range.first);
    return wrapped.rows(range.first, range.end);
}

void LogWindow::drawContent() {
    float top = textTop;
    const std::string text = shownText(top);
    // Already wrapped: drawn line by line as drawTextWrapped would.
    drawText(text, textLeft, top, textSize, false);
}

float LogWindow::contentBottom() {
    if (!fontLoaded()) return std::numeric_limits<float>::infinity();
    refresh();
    return textTop + textSize * static_cast<float>(wrapped.rowCount());
}

std::uint64_t LogWindow::contentStamp() const { return log.clearCount(); }

}  // namespace vexmolda

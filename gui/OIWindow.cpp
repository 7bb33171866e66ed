#include "gui/OIWindow.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "grounding/InstanceText.h"
#include "gui/Font.h"
#include "gui/InstanceColumns.h"

namespace vexmolda {

namespace {

constexpr float columnsTop = 8;
constexpr float firstColumnX = 2.5f;
constexpr float columnWrapWidth = 40;

}  // namespace

OIWindow::OIWindow(Session& session, const ActionQueue& queue)
    : ScrollingWindow("Operator Instances"),
      buildButton(std::make_unique<BInstButton>(this, session, queue)),
      constraintsButton(std::make_unique<CnstButton>(this, session.switches, queue)),
      duplicatesButton(std::make_unique<DupButton>(this, session.switches, queue)),
      redundantButton(std::make_unique<RedButton>(this, session.switches, queue)),
      session(session) {}

const OIWindow::MeasuredInstances& OIWindow::measured() {
    const InstanceList& instanceList = session.instances;
    const GlfFont& font = currentFont();
    const Source now{instanceList.contentStamp(), instanceList.size(), font.glyphs.data(), font.glyphs.size(),
                     fontLoaded()};
    if (now == source) return measuredInstances;
    source = now;
    MeasuredInstances fresh;
    fresh.texts.reserve(instanceList.size());
    float widest = 0;
    for (const auto& instance : instanceList) {
        fresh.texts.push_back(signatureText(*instance));
        widest = std::max(widest, textWidth(fresh.texts.back(), bodyTextSize));
        fresh.oneLineEach = fresh.oneLineEach && fresh.texts.back().find_first_of(" \t") == std::string::npos;
    }
    fresh.layout = instanceColumns(fresh.texts.size(), widest);
    measuredInstances = std::move(fresh);
    return measuredInstances;
}

void OIWindow::drawContent() {
    drawText("Operation Instances", 1.5f, 1.5f, bodyTextSize, false);

    const MeasuredInstances& shown = measured();
    const std::vector<std::string>& texts = shown.texts;
    const bool oneLineEach = shown.oneLineEach;
    const std::size_t count = texts.size();
    const InstanceColumns& layout = shown.layout;

    // Each entry is one line when it cannot wrap; then only the rows inside
    // the drawing area need drawing.
    std::size_t firstRow = 0;
    std::size_t lastRow = static_cast<std::size_t>(layout.rows);
    if (oneLineEach) {
        const float top = std::floor((-scroll - columnsTop) / bodyTextSize) - 1;
        const float bottom = std::ceil((100 - scroll - columnsTop) / bodyTextSize) + 1;
        firstRow = static_cast<std::size_t>(std::clamp(top, 0.0f, static_cast<float>(layout.rows)));
        lastRow = static_cast<std::size_t>(std::clamp(bottom, 0.0f, static_cast<float>(layout.rows)));
    }
    // Scrolled rows stay below the fixed buttons: the list shows from where it starts.
    draw::beginClip(y + columnsTop, 100);
    float columnX = firstColumnX;
    for (std::size_t start = 0; start < count; start += static_cast<std::size_t>(layout.rows)) {
        std::string buffer;
        const std::size_t end = std::min(count, start + static_cast<std::size_t>(layout.rows));
        for (std::size_t i = start + firstRow; i < std::min(end, start + lastRow); ++i) buffer += texts[i];
        if (!buffer.empty()) {
            drawTextWrapped(buffer, columnX, columnsTop + bodyTextSize * static_cast<float>(firstRow), columnWrapWidth, 0,
                            bodyTextSize);
        }
        columnX += layout.pitch;
    }
    draw::endClip();
}

float OIWindow::contentBottom() {
    if (!fontLoaded()) return std::numeric_limits<float>::infinity();
    const MeasuredInstances& shown = measured();
    const auto rows = static_cast<std::size_t>(shown.layout.rows);
    if (shown.oneLineEach) return columnsTop + bodyTextSize * static_cast<float>(rows);
    // Entries that can wrap: the tallest column decides.
    std::size_t tallest = 0;
    for (std::size_t start = 0; start < shown.texts.size(); start += rows) {
        std::string column;
        for (std::size_t i = start; i < std::min(shown.texts.size(), start + rows); ++i) column += shown.texts[i];
        tallest = std::max(tallest, columnRows(column, firstColumnX, columnWrapWidth, bodyTextSize));
    }
    return columnsTop + bodyTextSize * static_cast<float>(tallest);
}

std::uint64_t OIWindow::contentStamp() const { return session.instances.contentStamp(); }

}  // namespace vexmolda

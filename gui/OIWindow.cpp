#include "gui/OIWindow.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "grounding/InstanceText.h"
#include "gui/Font.h"
#include "gui/InstanceColumns.h"

namespace vexmolda {

namespace {

constexpr float textSize = 2;
constexpr float columnsTop = 8;
constexpr float firstColumnX = 2.5f;

}  // namespace

OIWindow::OIWindow(Session& session, std::function<void()> buildInstances)
    : ScrollingWindow("Operator Instances"),
      buildButton(std::make_unique<BInstButton>(this, std::move(buildInstances))),
      constraintsButton(std::make_unique<CnstButton>(this, session.switches)),
      duplicatesButton(std::make_unique<DupButton>(this, session.switches)),
      redundantButton(std::make_unique<RedButton>(this, session.switches)),
      session(session) {}

void OIWindow::drawContent() {
    drawText("Operation Instances", 1.5f, 1.5f, textSize, false);

    const InstanceList& instanceList = session.instances;
    const std::size_t count = instanceList.size();
    std::vector<std::string> texts;
    texts.reserve(count);
    float widest = 0;
    bool oneLineEach = true;
    for (const auto& instance : instanceList) {
        texts.push_back(signatureText(*instance));
        widest = std::max(widest, textWidth(texts.back(), textSize));
        oneLineEach = oneLineEach && texts.back().find_first_of(" \t") == std::string::npos;
    }
    const InstanceColumns layout = instanceColumns(count, widest);

    // Each entry is one line when it cannot wrap; then only the rows inside
    // the drawing area need drawing.
    std::size_t firstRow = 0;
    std::size_t lastRow = static_cast<std::size_t>(layout.rows);
    if (oneLineEach) {
        const float top = std::floor((-scroll - columnsTop) / textSize) - 1;
        const float bottom = std::ceil((100 - scroll - columnsTop) / textSize) + 1;
        firstRow = static_cast<std::size_t>(std::clamp(top, 0.0f, static_cast<float>(layout.rows)));
        lastRow = static_cast<std::size_t>(std::clamp(bottom, 0.0f, static_cast<float>(layout.rows)));
    }
    float columnX = firstColumnX;
    for (std::size_t start = 0; start < count; start += static_cast<std::size_t>(layout.rows)) {
        std::string buffer;
        const std::size_t end = std::min(count, start + static_cast<std::size_t>(layout.rows));
        for (std::size_t i = start + firstRow; i < std::min(end, start + lastRow); ++i) buffer += texts[i];
        if (!buffer.empty()) {
            drawTextWrapped(buffer, columnX, columnsTop + textSize * static_cast<float>(firstRow), 40, 0, textSize);
        }
        columnX += layout.pitch;
    }
}

}  // namespace vexmolda

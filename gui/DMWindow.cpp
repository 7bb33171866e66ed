#include "gui/DMWindow.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "gui/DomainText.h"
#include "gui/Font.h"

namespace vexmolda {

namespace {

constexpr float operationsX = 50.5f;
constexpr float operationsTop = 8.5f;
constexpr float operationsWidth = 40;
constexpr float sectionBodyX = 15;
constexpr float sectionBodyWidth = 30;

}  // namespace

DMWindow::DMWindow(const Session& session) : ScrollingWindow("Domain Information"), session(session) {}

void DMWindow::refresh() {
    if (!fontLoaded()) return;
    const GlfFont& font = currentFont();
    Source now{session.changeStamp, session.instances.contentStamp(), session.instances.size(), font.glyphs.data(),
               font.glyphs.size()};
    if (now == source) return;
    source = now;
    const Model& model = session.model;
    std::string bodies[] = {typesText(model), atomsText(model), predicatesText(model), stateText(model.initState),
                            stateText(model.goalState)};
    static_assert(std::size(bodies) == domainSections.size());
    for (std::size_t i = 0; i < domainSections.size(); ++i) {
        sections[i].assignColumn(std::move(bodies[i]), font, sectionBodyX, sectionBodyWidth, bodyTextSize);
    }
    operations.assignColumn(operationsText(model, session.instances), font, operationsX, operationsWidth, bodyTextSize);
}

void DMWindow::drawContent() {
    refresh();
    for (std::size_t i = 0; i < domainSections.size(); ++i) {
        const DomainSection& section = domainSections[i];
        // Heading at the left, wrapped body beside it, its rows above the divider.
        drawText(section.heading, 1.5f, section.top, bodyTextSize, false);
        const auto rows = static_cast<std::size_t>((section.bottom - section.top) / bodyTextSize);
        drawText(sections[i].rows(0, rows), sectionBodyX, section.top, bodyTextSize, false);
    }

    drawText("Operations", operationsX, 1.5f, bodyTextSize, false);
    // Only the rows in view are drawn.
    const RowRange range = rowsOnScreen(scroll, operationsTop, bodyTextSize, operations.rowCount());
    drawText(operations.rows(range.first, range.end), operationsX,
             operationsTop + bodyTextSize * static_cast<float>(range.first), bodyTextSize, false);

    draw::setTexturing(false);
    draw::beginLines();
    for (std::size_t i = 0; i + 1 < domainSections.size(); ++i) {
        draw::vertex(2, domainSections[i].bottom);
        draw::vertex(45, domainSections[i].bottom);
    }
    draw::vertex(47, 2);
    draw::vertex(47, 94);
    draw::endBatch();
}

float DMWindow::contentBottom() {
    if (!fontLoaded()) return std::numeric_limits<float>::infinity();
    refresh();
    return std::max(domainSections.back().bottom, operationsTop + bodyTextSize * static_cast<float>(operations.rowCount()));
}

// Every load begins with a wipe, which empties the type registry.
std::uint64_t DMWindow::contentStamp() const { return session.model.types.contentStamp(); }

}  // namespace vexmolda

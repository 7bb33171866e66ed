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

}  // namespace

DMWindow::DMWindow(const Session& session) : ScrollingWindow("Domain Information"), session(session) {}

void DMWindow::drawContent() {
    const Model& model = session.model;
    const std::string bodies[] = {typesText(model), atomsText(model), predicatesText(model),
                                  stateText(model.initState), stateText(model.goalState)};
    static_assert(std::size(bodies) == domainSections.size());
    for (std::size_t i = 0; i < domainSections.size(); ++i) {
        const DomainSection& section = domainSections[i];
        // Heading at the left, wrapped body beside it, its rows above the divider.
        drawText(section.heading, 1.5f, section.top, bodyTextSize, false);
        drawTextInColumn(bodies[i], 15, section.top, 30, section.bottom - section.top, bodyTextSize);
    }

    drawText("Operations", operationsX, 1.5f, bodyTextSize, false);
    // Unlimited in length; lines below the drawing area are not drawn.
    drawTextInColumn(operationsText(model, session.instances), operationsX, operationsTop, operationsWidth,
                     heightLeftOnScreen(scroll, operationsTop), bodyTextSize);

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
    const auto rows = static_cast<float>(columnRows(operationsText(session.model, session.instances), operationsX, operationsWidth, bodyTextSize));
    return std::max(domainSections.back().bottom, operationsTop + bodyTextSize * rows);
}

// Every load begins with a wipe, which empties the type registry.
std::uint64_t DMWindow::contentStamp() const { return session.model.types.contentStamp(); }

}  // namespace vexmolda

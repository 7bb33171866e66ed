#include "gui/DMWindow.h"

#include <algorithm>
#include <limits>

#include "gui/DomainText.h"
#include "gui/Font.h"

namespace vexmolda {

namespace {

constexpr float operationsTop = 8.5f;
constexpr float operationsWidth = 40;
// The bottom of the left column: the goal section's height limit ends it.
constexpr float leftColumnBottom = 76.5f + 15;

// One section of the left column: heading at the left, wrapped body beside
// it, cut at the divider.
void drawSection(const char* heading, float y, float heightLimit, const std::string& body) {
    drawText(heading, 1.5f, y, bodyTextSize, false);
    drawTextInColumn(body, 15, y, 30, heightLimit, bodyTextSize);
}

}  // namespace

DMWindow::DMWindow(const Session& session) : ScrollingWindow("Domain Information"), session(session) {}

void DMWindow::drawContent() {
    const Model& model = session.model;
    drawSection("Types", 1.5f, 20, typesText(model));
    drawSection("Atoms", 21.5f, 20, atomsText(model));
    drawSection("Predicates", 41.5f, 20, predicatesText(model));
    drawSection("Initial\nState", 61.5f, 15, stateText(model.initState));
    drawSection("Goal\nState", 76.5f, 15, stateText(model.goalState));

    drawText("Operations", 50.5f, 1.5f, bodyTextSize, false);
    // Unlimited in length; lines below the drawing area are not drawn.
    drawTextInColumn(operationsText(model, session.instances), 50.5f, operationsTop, operationsWidth,
                     heightLeftOnScreen(scroll, operationsTop), bodyTextSize);

    draw::setTexturing(false);
    draw::beginLines();
    for (const float lineY : {20.0f, 40.0f, 60.0f, 75.0f}) {
        draw::vertex(2, lineY);
        draw::vertex(45, lineY);
    }
    draw::vertex(47, 2);
    draw::vertex(47, 94);
    draw::endBatch();
}

float DMWindow::contentBottom() {
    if (!fontLoaded()) return std::numeric_limits<float>::infinity();
    const auto rows = static_cast<float>(columnRows(operationsText(session.model, session.instances), operationsWidth, bodyTextSize));
    return std::max(leftColumnBottom, operationsTop + bodyTextSize * rows);
}

// Every load begins with a wipe, which empties the type registry.
std::uint64_t DMWindow::contentStamp() const { return session.model.types.contentStamp(); }

}  // namespace vexmolda

#include "gui/DMWindow.h"

#include "gui/DomainText.h"
#include "gui/Font.h"

namespace vexmolda {

namespace {

constexpr float textSize = 2;

// One section of the left column: heading at the left, wrapped body beside it.
void drawSection(const char* heading, float y, float heightLimit, const std::string& body) {
    drawText(heading, 1.5f, y, textSize, false);
    drawTextWrapped(body, 15, y, 30, heightLimit, textSize);
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

    drawText("Operations", 50.5f, 1.5f, textSize, false);
    // Unlimited in length; lines below the drawing area are not drawn.
    drawTextWrapped(operationsText(model, session.instances), 50.5f, 8.5f, 40, heightLeftOnScreen(scroll, 8.5f), textSize);

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

}  // namespace vexmolda

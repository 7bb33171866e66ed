#include "gui/GraphViewWindow.h"

#include "gui/PointerInput.h"
#include "gui/Tooltip.h"

namespace vexmolda {

GraphViewWindow::GraphViewWindow(std::string title, const Session& session)
    : Window(std::move(title), 2.65f, 0.1f, 97.25f, 99.8f), session(session) {
    setColor(128, 180, 255);
}

void GraphViewWindow::onScroll(float delta) { zoomAbout(view, {pointerUnitsX(), pointerUnitsY()}, delta); }

void GraphViewWindow::onDrag(float dx, float dy) { panBy(view, dx, dy); }

const PlanningGraph* GraphViewWindow::graphOrClose() {
    const PlanningGraph* graph = session.graph.get();
    if (graph && !graph->factLevelEnd.empty()) return graph;
    close();
    return nullptr;
}

void GraphViewWindow::resetView() { view = initialView(); }

bool GraphViewWindow::returnToStart() {
    resetView();
    return true;
}

ZoomPan GraphViewWindow::initialView() const { return ZoomPan{}; }

bool GraphViewWindow::graphReplaced() {
    // Every run makes a graph of its own, with a stamp of its own.
    const std::uint64_t clears = session.graph ? session.graph->contentStamp() : 0;
    if (clears == shownClears) return false;
    shownClears = clears;
    return true;
}

ViewPoint GraphViewWindow::drawnOrigin() const { return {slidX(x, width, slide), y}; }

ViewPoint GraphViewWindow::restingOrigin() const { return {x, y}; }

ViewRect GraphViewWindow::visibleDrawing(float margin) const {
    ViewRect rect = visibleDrawingRect(view, drawnOrigin());
    return {rect.left - margin, rect.top - margin, rect.right + margin, rect.bottom + margin};
}

void GraphViewWindow::beginView() const {
    draw::pushViewProjection(view.zoom);
    draw::pushMatrix();
    draw::translate(view.panX, view.panY);
}

void GraphViewWindow::endView() const {
    draw::popMatrix();
    draw::popViewProjection();
}

void GraphViewWindow::showTooltip(const std::string& text) {
    if (text.empty()) {
        dropTooltip();
        return;
    }
    if (showsOwnTooltip() && ownTooltip->text == text) return;
    ownTooltip = new Label(text, 0, 0, 0, labelHeightFor(text));
    setTooltip(ownTooltip);
}

bool GraphViewWindow::showsOwnTooltip() const { return ownTooltip && tooltip() == ownTooltip; }

void GraphViewWindow::keepTooltip(const std::string& text) {
    if (!showsOwnTooltip()) return;
    if (text.empty()) {
        dropTooltip();
    } else if (text != ownTooltip->text) {
        ownTooltip->setText(text);
    }
}

void GraphViewWindow::dropTooltip() {
    if (showsOwnTooltip()) setTooltip(nullptr);
    ownTooltip = nullptr;
}

}  // namespace vexmolda

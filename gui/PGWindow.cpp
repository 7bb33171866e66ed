#include "gui/PGWindow.h"

#include <algorithm>

#include "gui/Font.h"
#include "gui/MutexTooltip.h"
#include "gui/PointerInput.h"
#include "gui/Tooltip.h"

namespace vexmolda {

namespace {

// Room around the visible area, so text and thick lines at its border are kept.
constexpr float cullMargin = 3;

bool rowVisible(const ViewRect& visible, float rowY) { return rowY + 3 >= visible.top && rowY - 1 <= visible.bottom; }

// The first index of a row of texts (left edges ascending, gap 2 between)
// whose text reaches into the visible part.
template <class LeftOf, class WidthOf>
std::uint32_t firstVisible(std::uint32_t count, float visibleLeft, LeftOf leftOf, WidthOf widthOf) {
    std::uint32_t low = 0;
    std::uint32_t high = count;
    while (low < high) {
        const std::uint32_t middle = low + (high - low) / 2;
        if (leftOf(middle) + widthOf(middle) < visibleLeft) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

void outline(const NodeBox& box) {
    const float left = box.position.x - box.halfWidth;
    const float right = box.position.x + box.halfWidth;
    draw::beginLineLoop();
    draw::vertex(left, box.position.y - 1);
    draw::vertex(left, box.position.y + 3);
    draw::vertex(right, box.position.y + 3);
    draw::vertex(right, box.position.y - 1);
    draw::endBatch();
}

bool boxVisible(const NodeBox& box, const ViewRect& visible) {
    return overlaps({box.position.x - box.halfWidth, box.position.y - 1, box.position.x + box.halfWidth,
                     box.position.y + 3},
                    visible);
}

}  // namespace

float nodeTextWidth(const std::string& text) { return textWidth(text, nodeTextSize); }

PGWindow::PGWindow(const Session& session) : GraphViewWindow("Plangraph", session) {}

std::optional<GraphNode> PGWindow::nodeAt(const PlanningGraph& graph, const GraphLayout& layout,
                                          ViewPoint pointer) const {
    return nodeUnder(layout, graph, screenToDrawing(view, restingOrigin(), pointer));
}

void PGWindow::onMouseLeave() { dropTooltip(); }

void PGWindow::onMouseMove(float px, float py) {
    std::string text;
    if (visible() && session.graph && !session.graph->factLevelEnd.empty()) {
        const PlanningGraph& graph = *session.graph;
        const GraphLayout layout = layoutGraph(graph, nodeTextWidth);
        if (const std::optional<GraphNode> hovered = nodeAt(graph, layout, {px, py})) {
            text = mutexTooltipText(graph, *hovered);
        }
    }
    showTooltip(text);
}

void PGWindow::drawSelf() {
    Window::drawSelf();
    if (!visible()) {
        dropTooltip();
        return;
    }
    const PlanningGraph* graph = graphOrClose();
    if (!graph) {
        dropTooltip();
        return;
    }
    if (graphReplaced()) resetView();

    const GraphLayout layout = layoutGraph(*graph, nodeTextWidth);
    const std::optional<GraphNode> hovered = nodeAt(*graph, layout, {pointerUnitsX(), pointerUnitsY()});
    if (showsOwnTooltip()) keepTooltip(hovered ? mutexTooltipText(*graph, *hovered) : std::string());
    const ViewRect visible = visibleDrawing(cullMargin);

    beginView();
    draw::setColorF(0, 0, 0);
    draw::setTexturing(true);
    drawNodeTexts(*graph, layout, visible);
    draw::setTexturing(false);
    drawEdges(*graph, layout, visible);
    if (hovered) drawHighlight(*graph, layout, *hovered, visible);
    endView();
}

void PGWindow::drawNodeTexts(const PlanningGraph& graph, const GraphLayout& layout, const ViewRect& visible) const {
    for (std::uint32_t level = 0; level < factLevelCount(graph); ++level) {
        const float rowY = factRowY(level);
        if (!rowVisible(visible, rowY)) continue;
        const std::uint32_t count = factsAtLevel(graph, level);
        const auto leftOf = [&](std::uint32_t i) { return layout.factLeft[i]; };
        const auto widthOf = [&](std::uint32_t i) { return layout.factWidth[i]; };
        for (std::uint32_t i = firstVisible(count, visible.left, leftOf, widthOf);
             i < count && layout.factLeft[i] <= visible.right; ++i) {
            drawText(layout.factTexts[i], layout.factLeft[i], rowY, nodeTextSize, false);
        }
    }
    for (std::uint32_t level = 1; level <= actionLevelCount(graph); ++level) {
        const float rowY = actionRowY(level);
        if (!rowVisible(visible, rowY)) continue;
        const float start = instanceStart(layout, graph, level);
        const std::uint32_t count = instancesAtLevel(layout, graph, level);
        const auto leftOf = [&](std::uint32_t k) { return start + layout.instanceOffset[k]; };
        const auto widthOf = [&](std::uint32_t k) { return layout.instanceWidth[k]; };
        for (std::uint32_t k = firstVisible(count, visible.left, leftOf, widthOf);
             k < count && leftOf(k) <= visible.right; ++k) {
            drawText(layout.instanceTexts[k], leftOf(k), rowY, nodeTextSize, false);
        }
    }
}

void PGWindow::drawEdges(const PlanningGraph& graph, const GraphLayout& layout, const ViewRect& visible) const {
    enum class Shade { none, add, pre } shade = Shade::none;
    const auto edge = [&](Shade wanted, ViewPoint from, ViewPoint to) {
        if (!overlaps(segmentBounds(from, to), visible)) return;
        if (shade != wanted) {
            shade = wanted;
            if (wanted == Shade::add) {
                draw::setColorF(0, 1, 0);
            } else {
                draw::setColorF(0, 0, 1);
            }
        }
        draw::vertex(from.x, from.y);
        draw::vertex(to.x, to.y);
    };
    draw::beginLines();
    for (std::uint32_t level = 1; level <= actionLevelCount(graph); ++level) {
        const float actionY = actionRowY(level);
        // Adds reach down to the fact row of the level, preconditions up to the one before.
        const bool addsVisible = actionY + 3 <= visible.bottom && factRowY(level) - 1 >= visible.top;
        const bool presVisible = factRowY(level - 1) + 3 <= visible.bottom && actionY - 1 >= visible.top;
        if (!addsVisible && !presVisible) continue;
        const float start = instanceStart(layout, graph, level);
        const std::uint32_t count = actionsAtLevel(graph, level);
        for (std::uint32_t j = 0; j < count; ++j) {
            const ActionNode& node = graph.actionNodes[j];
            const std::uint32_t index = layout.kindIndex[j];
            const ViewPoint at =
                node.instance ? ViewPoint{start + layout.instanceOffset[index] + layout.instanceWidth[index] / 2, actionY}
                              : actionPosition(layout, graph, j, level);
            if (addsVisible) {
                for (const std::uint32_t fact : node.adds) {
                    if (fact >= layout.factLeft.size()) continue;
                    const ViewPoint target = factPosition(layout, fact, level);
                    edge(Shade::add, {at.x, at.y + 3}, {target.x, target.y - 1});
                }
            }
            if (presVisible) {
                for (const std::uint32_t fact : node.pres) {
                    if (fact >= layout.factLeft.size()) continue;
                    const ViewPoint source = factPosition(layout, fact, level - 1);
                    edge(Shade::pre, {source.x, source.y + 3}, {at.x, at.y - 1});
                }
            }
        }
    }
    draw::endBatch();
}

void PGWindow::drawHighlight(const PlanningGraph& graph, const GraphLayout& layout, const GraphNode& hovered,
                             const ViewRect& visible) const {
    draw::setLineWidth(2);
    draw::setColorF(1, 1, 0);
    outline(nodeBox(layout, graph, hovered));
    draw::setColorF(1, 0, 0);
    for (const GraphNode& partner : mutexPartners(graph, hovered)) {
        const NodeBox box = nodeBox(layout, graph, partner);
        if (boxVisible(box, visible)) outline(box);
    }
    draw::setLineWidth(1);
}

}  // namespace vexmolda

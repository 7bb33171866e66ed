#include "gui/IFWindow.h"

#include <algorithm>

#include "gui/Font.h"
#include "gui/PointerInput.h"
#include "gui/Tooltip.h"

namespace vexmolda {

namespace {

constexpr float labelSize = 2;
constexpr float cosine60 = 0.5f;

}  // namespace

IFWindow::IFWindow(const Session& session) : GraphViewWindow("Interference Table", session) {}

InterferenceTable IFWindow::table(std::uint32_t size) const {
    InterferenceTable result;
    result.left = tableLeft;
    result.top = tableTop;
    result.cellWidth = cellWidth;
    result.cellHeight = cellHeight;
    result.size = size;
    return result;
}

std::string IFWindow::tooltipTextAt(ViewPoint pointer) const {
    if (!session.graph || session.graph->factLevelEnd.empty()) return {};
    const PlanningGraph& graph = *session.graph;
    const auto size = static_cast<std::uint32_t>(graph.actionNodes.size());
    const std::optional<TableCell> cell = cellUnder(table(size), view, restingOrigin(), pointer);
    if (!cell) return {};
    return cellTooltipText(graph, cell->column, cell->row);
}

ZoomPan IFWindow::initialView() const { return initialInterferenceView(table(0)); }

void IFWindow::onMouseLeave() { dropTooltip(); }

void IFWindow::onMouseMove(float px, float py) { showTooltip(tooltipTextAt({px, py})); }

void IFWindow::refreshTooltip() {
    // The text under the pointer is looked up only while the tooltip shows.
    if (showsOwnTooltip()) keepTooltip(tooltipTextAt({pointerUnitsX(), pointerUnitsY()}));
}

void IFWindow::drawSelf() {
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
    const auto size = static_cast<std::uint32_t>(graph->actionNodes.size());
    std::vector<std::string> labels(size);
    float widest = 0;
    for (std::uint32_t action = 0; action < size; ++action) {
        labels[action] = actionLabel(*graph, action);
        widest = std::max(widest, textWidth(labels[action], labelSize));
    }
    const InterferenceTable measured = interferenceTable(widest, size);
    tableLeft = measured.left;
    tableTop = measured.top;
    if (graphReplaced()) resetView();
    const InterferenceTable current = table(size);
    refreshTooltip();

    const ViewRect visible = visibleDrawing(1);
    const IndexRange columns = columnsBetween(current, visible.left, visible.right);
    const IndexRange rows = rowsBetween(current, visible.top, visible.bottom);
    beginView();

    draw::setColorF(1, 0.3f, 0.3f);
    draw::beginQuads();
    for (std::uint32_t column = columns.begin; column < columns.end; ++column) {
        const BitRow& interference = graph->actionNodes[column].interference;
        const float x0 = current.left + column * cellWidth;
        for (std::uint32_t row = rows.begin; row < rows.end; ++row) {
            if (!interference.test(row)) continue;
            const float y0 = current.top + row * cellHeight;
            draw::vertex(x0 + 0.25f * cellWidth, y0 + 0.25f * cellHeight);
            draw::vertex(x0 + 0.25f * cellWidth, y0 + 0.75f * cellHeight);
            draw::vertex(x0 + 0.75f * cellWidth, y0 + 0.75f * cellHeight);
            draw::vertex(x0 + 0.75f * cellWidth, y0 + 0.25f * cellHeight);
        }
    }
    draw::endBatch();

    // Grid lines, cut to the visible part.
    draw::setColorF(0, 0, 0);
    const ViewRect tableRect{current.left, current.top, current.right(), current.bottom()};
    if (overlaps(tableRect, visible)) {
        const float top = std::max(tableRect.top, visible.top);
        const float bottom = std::min(tableRect.bottom, visible.bottom);
        const float left = std::max(tableRect.left, visible.left);
        const float right = std::min(tableRect.right, visible.right);
        draw::beginLines();
        for (std::uint32_t line = columns.begin; line <= columns.end && line <= size; ++line) {
            const float lineX = current.left + line * cellWidth;
            draw::vertex(lineX, top);
            draw::vertex(lineX, bottom);
        }
        for (std::uint32_t line = rows.begin; line <= rows.end && line <= size; ++line) {
            const float lineY = current.top + line * cellHeight;
            draw::vertex(left, lineY);
            draw::vertex(right, lineY);
        }
        draw::endBatch();
    }

    draw::setTexturing(true);
    const float rowLabelRight = current.left - 0.5f * cellWidth;
    if (rowLabelRight >= visible.left && rowLabelRight - widest <= visible.right) {
        for (std::uint32_t row = rows.begin; row < rows.end; ++row) {
            drawText(labels[row], rowLabelRight, rowLabelTop(current, row), labelSize, true);
        }
    }
    // Column labels rise to the right from above their columns.
    const float slantSine = labelSlantSine();
    const float labelTop = current.top - 0.5f * cellHeight;
    if (labelTop - widest * slantSine <= visible.bottom && labelTop + labelSize * cosine60 >= visible.top) {
        const IndexRange labelled =
            columnsBetween(current, visible.left - widest * cosine60 - labelSize * slantSine, visible.right);
        for (std::uint32_t column = labelled.begin; column < labelled.end; ++column) {
            const ViewPoint anchor = columnLabelAnchor(current, column);
            draw::pushMatrix();
            draw::translate(anchor.x, anchor.y);
            draw::rotate(60);
            drawText(labels[column], 0, 0, labelSize, false);
            draw::popMatrix();
        }
    }
    draw::setTexturing(false);
    endView();
}

}  // namespace vexmolda

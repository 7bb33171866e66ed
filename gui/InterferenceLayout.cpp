#include "gui/InterferenceLayout.h"

#include <algorithm>
#include <cmath>

#include "domain/Fact.h"
#include "grounding/InstanceText.h"
#include "solvers/MutexReasons.h"

namespace vexmolda {

namespace {

std::string noopText(const PlanningGraph& graph, std::uint32_t actionId) {
    const ActionNode& node = graph.actionNodes[actionId];
    std::string text = "nop(";
    if (!node.pres.empty() && node.pres.front() < graph.factNodes.size()) {
        if (const Fact* fact = graph.factNodes[node.pres.front()].fact) text += factText(*fact);
    }
    return text + ")";
}

// Indexes i in [0, size) whose span [start + i * step, start + (i + 1) * step] meets [low, high].
IndexRange spansBetween(float start, float step, std::uint32_t size, float low, float high) {
    if (size == 0 || high < start || low > start + step * size) return {0, 0};
    const float first = std::floor((low - start) / step);
    const float last = std::floor((high - start) / step);
    const auto begin = static_cast<std::uint32_t>(std::clamp(first, 0.0f, static_cast<float>(size)));
    const auto end = static_cast<std::uint32_t>(std::clamp(last + 1, 0.0f, static_cast<float>(size)));
    return {begin, end};
}

}  // namespace

std::string actionLabel(const PlanningGraph& graph, std::uint32_t actionId) {
    const OperationInstance* instance = graph.actionNodes[actionId].instance;
    return instance ? signatureText(*instance) : noopText(graph, actionId);
}

std::string actionTooltipLine(const PlanningGraph& graph, std::uint32_t actionId) {
    const OperationInstance* instance = graph.actionNodes[actionId].instance;
    return instance ? signatureText(*instance) : noopText(graph, actionId) + "\n";
}

std::string cellTooltipText(const PlanningGraph& graph, std::uint32_t column, std::uint32_t row) {
    std::string text = actionTooltipLine(graph, column) + actionTooltipLine(graph, row);
    if (graph.actionNodes[column].interference.test(row)) {
        const std::string reason = interferenceReason(graph, column, row);
        if (!reason.empty()) text += reason + "\n";
    }
    return text;
}

float labelSlantSine() { return static_cast<float>(std::sin(1.0471667)); }

InterferenceTable interferenceTable(float widestLabel, std::uint32_t actions) {
    InterferenceTable table;
    table.left = widestLabel + 2;
    table.top = widestLabel * labelSlantSine() + 2;
    table.size = actions;
    return table;
}

ZoomPan initialInterferenceView(const InterferenceTable& table) {
    ZoomPan view;
    view.panX -= std::max(0.0f, table.left - cornerReach);
    view.panY -= std::max(0.0f, table.top - cornerReach);
    return view;
}

std::optional<TableCell> cellUnder(const InterferenceTable& table, const ZoomPan& view, ViewPoint origin,
                                   ViewPoint pointer) {
    const ViewPoint drawing = screenToDrawing(view, origin, pointer);
    const float column = (drawing.x - table.left) / table.cellWidth;
    const float row = (drawing.y - table.top) / table.cellHeight;
    if (!(column >= 0) || !(row >= 0)) return std::nullopt;
    if (column >= table.size || row >= table.size) return std::nullopt;
    return TableCell{static_cast<std::uint32_t>(column), static_cast<std::uint32_t>(row)};
}

IndexRange columnsBetween(const InterferenceTable& table, float left, float right) {
    return spansBetween(table.left, table.cellWidth, table.size, left, right);
}

IndexRange rowsBetween(const InterferenceTable& table, float top, float bottom) {
    return spansBetween(table.top, table.cellHeight, table.size, top, bottom);
}

ViewPoint columnLabelAnchor(const InterferenceTable& table, std::uint32_t column) {
    constexpr float cosine60 = 0.5f;
    return {table.left + column * table.cellWidth + (table.cellWidth - 2) * cosine60 * 0.5f,
            table.top - 0.5f * table.cellHeight};
}

float rowLabelTop(const InterferenceTable& table, std::uint32_t row) {
    return table.top + (table.cellHeight - 2) * 0.5f + row * table.cellHeight;
}

}  // namespace vexmolda

#pragma once
// The interference table's geometry, labels, and the cell under the pointer;
// no drawing here.

#include <cstdint>
#include <optional>
#include <string>

#include "gui/ZoomPan.h"
#include "solvers/PlanningGraph.h"

namespace vexmolda {

// The label of an action: an instance's signature (with its line end), or
// "nop(fact)" for a no-op.
std::string actionLabel(const PlanningGraph& graph, std::uint32_t actionId);
// The same as one tooltip line: the no-op form ends with a line end too.
std::string actionTooltipLine(const PlanningGraph& graph, std::uint32_t actionId);
// The column's action, then the row's action, then why they interfere when they do.
std::string cellTooltipText(const PlanningGraph& graph, std::uint32_t column, std::uint32_t row);

// The table's place in drawing units: one row and one column per action.
struct InterferenceTable {
    float left = 0;
    float top = 0;
    float cellWidth = 2.25f;
    float cellHeight = 3.0f;
    std::uint32_t size = 0;

    float right() const { return left + cellWidth * size; }
    float bottom() const { return top + cellHeight * size; }
};

// The label slant: 60 degrees, as used for the table's top margin.
float labelSlantSine();

// Room for the row labels at the left and the slanted column labels above.
InterferenceTable interferenceTable(float widestLabel, std::uint32_t actions);

// The view a new table opens with: unpanned while the table's top-left
// corner lies near the window's, else panned so that the corner
// lies at most cornerReach units into the window (long labels are cut by the
// window's edges instead of pushing the table out of sight).
constexpr float cornerReach = 40;
ZoomPan initialInterferenceView(const InterferenceTable& table);

// A cell by column (the interfering action) and row.
struct TableCell {
    std::uint32_t column;
    std::uint32_t row;
    bool operator==(const TableCell&) const = default;
};

// The cell under a pointer in screen units, none left of, above, right of or below the table.
std::optional<TableCell> cellUnder(const InterferenceTable& table, const ZoomPan& view, ViewPoint origin,
                                   ViewPoint pointer);

// A half-open range of row or column indexes.
struct IndexRange {
    std::uint32_t begin;
    std::uint32_t end;
    bool empty() const { return begin >= end; }
};

// The columns whose cells meet [left, right], and the rows whose cells meet [top, bottom].
IndexRange columnsBetween(const InterferenceTable& table, float left, float right);
IndexRange rowsBetween(const InterferenceTable& table, float top, float bottom);

// The left end of a column label's baseline-top corner (before the slant).
ViewPoint columnLabelAnchor(const InterferenceTable& table, std::uint32_t column);
// The top of a row label, which ends half a cell left of the table.
float rowLabelTop(const InterferenceTable& table, std::uint32_t row);

}  // namespace vexmolda

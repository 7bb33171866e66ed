#pragma once
// The window that draws the interference table.

#include "gui/GraphViewWindow.h"
#include "gui/InterferenceLayout.h"

namespace vexmolda {

// One row and one column per action of the last built graph, a mark where the
// column's action interferes with the row's; a tooltip names both.
class IFWindow : public GraphViewWindow {
public:
    // Made once by initGui; shows the graph of the session's last "graph" run.
    explicit IFWindow(const Session& session);

    void onMouseLeave() override;
    void drawSelf() override;
    void onMouseMove(float px, float py) override;
    // Shows the table's top-left corner however long the labels are.
    ZoomPan initialView() const override;

    float tableLeft = 0;
    float tableTop = 0;
    float cellWidth = 2.25f;
    float cellHeight = 3.0f;

private:
    // The table of the graph as last measured.
    InterferenceTable table(std::uint32_t size) const;
    // The tooltip text for the pointer, or empty when it is off the table.
    std::string tooltipTextAt(ViewPoint pointer) const;
    // Keeps this window's tooltip true to the graph now shown.
    void refreshTooltip();
};

}  // namespace vexmolda

#pragma once
// The window that draws the planning graph.

#include "gui/GraphLayout.h"
#include "gui/GraphViewWindow.h"

namespace vexmolda {

// Fact rows and action rows of the last built graph with their edges; the
// node under the pointer is outlined with its mutex partners, and a tooltip
// says why each partner is mutex with it.
class PGWindow : public GraphViewWindow {
public:
    // Made once by initGui; shows the graph of the session's last "graph" run.
    explicit PGWindow(const Session& session);

    void drawSelf() override;
    void onMouseMove(float px, float py) override;
    void onMouseLeave() override;

private:
    // The node under a pointer in screen units, on the graph as laid out now.
    std::optional<GraphNode> nodeAt(const PlanningGraph& graph, const GraphLayout& layout, ViewPoint pointer) const;
    void drawNodeTexts(const PlanningGraph& graph, const GraphLayout& layout, const ViewRect& visible) const;
    void drawEdges(const PlanningGraph& graph, const GraphLayout& layout, const ViewRect& visible) const;
    void drawHighlight(const PlanningGraph& graph, const GraphLayout& layout, const GraphNode& hovered,
                       const ViewRect& visible) const;
};

// The width of a node text as drawn.
float nodeTextWidth(const std::string& text);

}  // namespace vexmolda

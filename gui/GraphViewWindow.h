#pragma once
// A window that shows the planning graph of the "graph" solver, zoomed about
// the pointer and panned with the pointer: the plangraph and interference windows.

#include <cstdint>
#include <string>

#include "gui/Label.h"
#include "gui/Window.h"
#include "gui/ZoomPan.h"
#include "command/Session.h"
#include "solvers/PlanningGraph.h"

namespace vexmolda {

// Reads the session's graph on every frame; keeps only the view.
class GraphViewWindow : public Window {
public:
    GraphViewWindow(std::string title, const Session& session);

    // Zooms by 10 % per notch (or per unit of right-button drag) about the pointer.
    void onScroll(float delta) override;
    // Pans with the pointer.
    void onDrag(float dx, float dy) override;

    // Back to the view a new graph opens with.
    void resetView();
    // The Home key: resetView.
    bool returnToStart() override;
    // The view a new graph opens with.
    virtual ZoomPan initialView() const;

    const Session& session;
    ZoomPan view;  // zoom, panX, panY

protected:
    // The graph to draw, or none after closing this window when no graph is built.
    const PlanningGraph* graphOrClose();
    // True once for each graph built since the last call: the view starts afresh.
    bool graphReplaced();
    // The window's corner where it is drawn now (sliding) and where it rests.
    ViewPoint drawnOrigin() const;
    ViewPoint restingOrigin() const;
    // The part of the drawing inside the drawing area, widened by a margin.
    ViewRect visibleDrawing(float margin) const;
    // Sets the view's projection and pan; endView undoes both.
    void beginView() const;
    void endView() const;

    // Shows the text as this window's tooltip; an empty text drops it, the
    // text shown already keeps it.
    void showTooltip(const std::string& text);
    // True while the tooltip shown is this window's.
    bool showsOwnTooltip() const;
    // Keeps this window's tooltip true to the text now under the pointer
    // (a new graph, a zoom or a pan since the pointer moved): edited in
    // place, as a new Label would join the tree being drawn, or dropped when empty.
    void keepTooltip(const std::string& text);
    // Takes this window's tooltip away; another element's stays.
    void dropTooltip();

private:
    std::uint64_t shownClears = 0;
    Label* ownTooltip = nullptr;
};

}  // namespace vexmolda

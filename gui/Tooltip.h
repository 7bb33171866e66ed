#pragma once
// The floating element drawn below the pointer, owned here.

#include "gui/GuiElement.h"

namespace vexmolda {

// Replaces the tooltip, deleting the old one; none removes it. A new element
// that appended itself to guiRoot is taken out of the tree again.
void setTooltip(GuiElement* element);
// The current tooltip, or none.
GuiElement* tooltip();

// The tooltip's top-left corner in screen units.
struct TooltipPlace {
    float x;
    float y;
};
// Where a tooltip of the given size goes for the pointer: 4 units below it,
// else to the left of or above it, so that it stays whole inside the area
// from (0, 0) to (100, bottom); bottom is the top of the message panel.
TooltipPlace tooltipPlace(float pointerX, float pointerY, float width, float height, float bottom);

}  // namespace vexmolda

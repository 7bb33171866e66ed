#pragma once
// The floating element drawn below the pointer, owned here.

#include "gui/GuiElement.h"

namespace vexmolda {

// Replaces the tooltip, deleting the old one; none removes it. A new element
// that appended itself to guiRoot is taken out of the tree again.
void setTooltip(GuiElement* element);
// The current tooltip, or none.
GuiElement* tooltip();

}  // namespace vexmolda

#include "gui/Tooltip.h"

#include <memory>

namespace vexmolda {

namespace {
std::unique_ptr<GuiElement> current;
}

void setTooltip(GuiElement* element) {
    // Taken out of the tree first, so the root never points at a deleted element.
    if (element && !guiRoot.children.empty() && guiRoot.children.back() == element) guiRoot.children.pop_back();
    if (element == current.get()) return;
    current.reset(element);
}

GuiElement* tooltip() { return current.get(); }

}  // namespace vexmolda

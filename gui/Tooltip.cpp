#include "gui/Tooltip.h"

#include <algorithm>
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

TooltipPlace tooltipPlace(float pointerX, float pointerY, float width, float height, float bottom) {
    constexpr float below = 4;
    constexpr float above = 1;
    TooltipPlace place{pointerX, pointerY + below};
    if (place.x + width > 100) place.x = pointerX - width;
    if (place.y + height > bottom) place.y = pointerY - above - height;
    // Wider or taller than the area: its start stays in view.
    place.x = std::max(0.0f, std::min(place.x, 100 - width));
    place.y = std::max(0.0f, std::min(place.y, bottom - height));
    return place;
}

}  // namespace vexmolda

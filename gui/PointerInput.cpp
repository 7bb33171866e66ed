#include "gui/PointerInput.h"

namespace vexmolda {

PointerState pointer;
GuiElement* hoveredElement = &guiRoot;

void rememberWindowSize(int width, int height) {
    if (width > 0) pointer.windowWidth = width;
    if (height > 0) pointer.windowHeight = height;
}

float unitsX(int pixelX) { return static_cast<float>(pixelX) * 100.0f / static_cast<float>(pointer.windowWidth); }

float unitsY(int pixelY) { return static_cast<float>(pixelY) * 100.0f / static_cast<float>(pointer.windowHeight); }

float pointerUnitsX() { return unitsX(pointer.lastX); }

float pointerUnitsY() { return unitsY(pointer.lastY); }

void handleMousePosition(int x, int y) {
    const float ux = unitsX(x);
    const float uy = unitsY(y);
    const float lastUx = unitsX(pointer.lastX);
    const float lastUy = unitsY(pointer.lastY);
    GuiElement* hit = guiRoot.hitTest(ux, uy);
    if (!hit) hit = &guiRoot;
    if (hit != hoveredElement) {
        GuiElement* previous = hoveredElement;
        hoveredElement = hit;
        previous->onMouseLeave();
        hit->onMouseEnter();
    } else if (pointer.buttons[0]) {
        hit->onDrag(ux - lastUx, uy - lastUy);
    } else if (pointer.buttons[1]) {
        hit->onScroll(uy - lastUy);
    } else {
        hit->onMouseMove(ux, uy);
    }
    pointer.lastX = x;
    pointer.lastY = y;
}

void handleMouseButton(int button, int action) {
    if (button < 0 || button >= static_cast<int>(pointer.buttons.size())) return;
    pointer.buttons[static_cast<std::size_t>(button)] = action;
    if (button == 0 && action == 1) hoveredElement->onClick();
}

void handleMouseWheel(int position) {
    const int delta = position - pointer.lastWheel;
    pointer.lastWheel = position;
    hoveredElement->onScroll(static_cast<float>(delta));
}

}  // namespace vexmolda

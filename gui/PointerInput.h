#pragma once
// Pointer, button and wheel input turned into widget events.

#include <array>

#include "gui/GuiElement.h"

namespace vexmolda {

// What the input handlers remember between events, in pixels.
struct PointerState {
    int windowWidth = 800;
    int windowHeight = 600;
    int lastX = 0;
    int lastY = 0;
    int lastWheel = 0;
    std::array<int, 8> buttons{};  // last action per button: 1 pressed, 0 released
};

extern PointerState pointer;
// The element under the pointer; guiRoot when there is none.
extern GuiElement* hoveredElement;

// Keeps the new window size for the conversions; a zero side (a minimised
// window) keeps the previous one, which would otherwise be divided by.
void rememberWindowSize(int width, int height);
// Pixel to screen-unit conversion for the current window size.
float unitsX(int pixelX);
float unitsY(int pixelY);
// The last pointer position in screen units.
float pointerUnitsX();
float pointerUnitsY();

// Hover change (leave and enter), or else drag, right-button scroll or move.
void handleMousePosition(int x, int y);
// Remembers the button's state; a left press clicks the hovered element.
void handleMouseButton(int button, int action);
// Scrolls the hovered element by the change of the absolute wheel position.
void handleMouseWheel(int position);

}  // namespace vexmolda

#pragma once
// A window whose text content scrolls up and down: the domain, instances and log windows.

#include <string>

#include "gui/Window.h"

namespace vexmolda {

// Keeps the vertical offset of its content; draws the content translated by it.
class ScrollingWindow : public Window {
public:
    // Fills the area right of the tab column, in the windows' light blue.
    explicit ScrollingWindow(std::string title);

    // One wheel notch, or one unit of right-button drag, moves the content 5 units.
    void onScroll(float delta) override;
    // Moves the content with the pointer; never further down than its start.
    void onDrag(float dx, float dy) override;
    // The window, then its content scrolled, textured and in black.
    void drawSelf() final;

    float scroll = 0;  // never positive

protected:
    // The window's own content, in window units before the scroll.
    virtual void drawContent() = 0;
};

// The height limit that stops a wrapped text drawn at y under the scroll at
// the bottom of the drawing area (never 0, which would mean no limit).
float heightLeftOnScreen(float scroll, float y);

}  // namespace vexmolda

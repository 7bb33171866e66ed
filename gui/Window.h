#pragma once
// A sliding window: a child of the root that slides in from the left edge
// when opened and back out when closed; one is the active window.

#include <string>

#include "gui/GuiElement.h"

namespace vexmolda {

// A window of the tree with the open/close slide state machine.
class Window : public GuiElement {
public:
    // Always a child of guiRoot.
    Window(std::string title, float x, float y, float width, float height);

    // None unless shown; hit-tests at the resting position whatever the slide.
    GuiElement* hitTest(float px, float py) override;
    // Advances the slide, then updates the children.
    void update(float dt) override;
    // Draws at the slid position.
    void draw() override;
    // Background and border while shown or sliding; nothing when closed.
    void drawSelf() override;

    // Starts sliding in (closing the active window) or reverses a slide-out.
    virtual void open();
    // Starts sliding out or reverses a slide-in.
    virtual void close();
    // Opens when closed, closes when open, reverses a slide under way.
    virtual void toggle();
    // The Home key: back to where the content starts; false when the window has no such place.
    virtual bool returnToStart() { return false; }

    // True while the window draws itself: shown or sliding.
    bool visible() const { return shown || animating; }

    std::string title;
    float slide = 0;
    bool animating = false;
    bool shown = false;
};

// The window most recently opened; none at start.
extern Window* activeWindow;

// Slide progress per second: a full slide takes 0.2 s.
constexpr float slideSpeed = 5.0f;

// The x at which a window is drawn for a slide progress; wholly left of the area at 0.
float slidX(float x, float width, float slide);

}  // namespace vexmolda

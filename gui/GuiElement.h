#pragma once
// The base of every visible thing in the window: a rectangle in its parent's
// screen units with children drawn in order and hit-tested in reverse.

#include <vector>

#include "gui/Draw.h"

namespace vexmolda {

// A rectangular element of the widget tree; children are not owned.
class GuiElement {
public:
    // Appends itself to the parent's children when a parent is given.
    GuiElement(float x, float y, float width, float height, GuiElement* parent = nullptr);
    virtual ~GuiElement() = default;
    GuiElement(const GuiElement&) = delete;
    GuiElement& operator=(const GuiElement&) = delete;

    // Stores the fill colour.
    virtual void setColor(std::uint8_t r, std::uint8_t g, std::uint8_t b);
    // The deepest element under a point in the parent's units, or none; edges count as inside.
    virtual GuiElement* hitTest(float px, float py);
    virtual void setPosition(float newX, float newY);
    virtual void setSize(float newWidth, float newHeight);
    // Advances animations by dt seconds; the base passes it to the children.
    virtual void update(float dt);
    virtual void onMouseEnter();
    virtual void onMouseLeave();
    // Draws itself and then the children, translated to its position.
    virtual void draw();
    // Fills its rectangle in its colour.
    virtual void drawSelf();
    // The left button was pressed over it.
    virtual void onClick();
    // Wheel notches, or the vertical movement of a right-button drag.
    virtual void onScroll(float delta);
    // The pointer moved over it to (px, py) in absolute screen units.
    virtual void onMouseMove(float px, float py);
    // The pointer moved by (dx, dy) screen units with the left button held.
    virtual void onDrag(float dx, float dy);

    std::vector<GuiElement*> children;
    float x;
    float y;
    float width;
    float height;
    Rgb color;
};

// The root of the tree: the whole 100 x 100 area and its background.
extern GuiElement guiRoot;

// True when the point lies inside the rectangle or on its edge.
bool insideRect(float px, float py, float x, float y, float width, float height);

}  // namespace vexmolda

#pragma once
// A window whose text content scrolls up and down: the domain, instances and log windows.

#include <cstdint>
#include <limits>
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
    // Moves the content with the pointer; never further down than its start,
    // nor further up than its last line at the bottom of the view.
    void onDrag(float dx, float dy) override;
    // The window, then its content scrolled, textured and in black.
    void drawSelf() final;
    // The Home key: back to the top.
    bool returnToStart() override;

    // The height the content shows in: the window above the command line.
    float viewHeight() const;

    float scroll = 0;  // never positive

protected:
    // The window's own content, in window units before the scroll.
    virtual void drawContent() = 0;
    // The bottom of the content in window units before the scroll; measured
    // with the font, so no limit (infinity) while no font is loaded.
    virtual float contentBottom() = 0;
    // Changes whenever the content is replaced (a wipe, a load, a build, a
    // solve): the window then starts again at its top.
    virtual std::uint64_t contentStamp() const = 0;

private:
    // Back to the top when the content was replaced; within the content's extent.
    void keepScrollInContent();

    std::uint64_t shownStamp = 0;
};

// The offset kept within the content: its first line no lower than the top,
// its last line no higher than the bottom of the view (a content that fits stays put).
float scrollWithin(float scroll, float contentBottom, float viewHeight);

// The height limit that stops a wrapped text drawn at y under the scroll at
// the bottom of the drawing area (never 0, which would mean no limit).
float heightLeftOnScreen(float scroll, float y);

// Rows of rowHeight starting at top (window units) that lie at least partly in
// the drawing area under the scroll: [first, end) clamped to rows.
struct RowRange {
    std::size_t first;
    std::size_t end;
};
RowRange rowsOnScreen(float scroll, float top, float rowHeight, std::size_t rows);

}  // namespace vexmolda

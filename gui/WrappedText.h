#pragma once
// A text wrapped once and kept with the starts of its rows, so that drawing
// and scrolling a long text touch only the rows in view; no GL here.

#include <cstddef>
#include <string>
#include <vector>

#include "gui/GlfFont.h"

namespace vexmolda {

class WrappedText {
public:
    // Wraps the text as drawTextWrapped does, for the font, wrap width and size.
    void assign(std::string text, const GlfFont& font, float wrapWidth, float size);
    // Wraps and cuts the text as drawTextInColumn does at x.
    void assignColumn(std::string text, const GlfFont& font, float x, float width, float size);
    // Rows of the wrapped text; a final line end closes the last row.
    std::size_t rowCount() const { return rowStarts.size(); }
    // Rows [first, end) as they are wrapped, line ends included.
    std::string rows(std::size_t first, std::size_t end) const;
    // The whole wrapped text.
    const std::string& text() const { return wrapped; }

private:
    // Wraps each line that may be too wide with wrapLine, then finds the rows.
    template <class WrapLine>
    void assignLines(std::string text, const GlfFont& font, float wrapWidth, float size, WrapLine wrapLine);

    std::string wrapped;
    std::vector<std::size_t> rowStarts;
};

}  // namespace vexmolda

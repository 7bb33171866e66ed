#include "gui/WrappedText.h"

#include <algorithm>

#include "gui/TextLayout.h"

namespace vexmolda {

void WrappedText::assign(std::string text, const GlfFont& font, float wrapWidth, float size) {
    assignLines(std::move(text), font, wrapWidth, size,
                [&](std::string& line) { wrapText(font, line, wrapWidth, size); });
}

void WrappedText::assignColumn(std::string text, const GlfFont& font, float x, float width, float size) {
    assignLines(std::move(text), font, width, size, [&](std::string& line) {
        wrapColumn(font, line, x, width, size);
        cutLongLines(font, line, width, size);
    });
}

template <class WrapLine>
void WrappedText::assignLines(std::string text, const GlfFont& font, float wrapWidth, float size, WrapLine wrapLine) {
    // Wrapping starts afresh after every line end, so each line is wrapped on
    // its own; most are too short to need it, which their length alone shows.
    float widest = averageAdvance(font);
    for (const GlfGlyph& glyph : font.glyphs) widest = std::max(widest, glyph.dx);
    widest *= font.scaleFor(size);
    const float tabAdvance = 2 * size;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const auto length = static_cast<float>(end - start);
        const auto lineBegin = text.begin() + static_cast<std::ptrdiff_t>(start);
        const auto lineEnd = text.begin() + static_cast<std::ptrdiff_t>(end);
        const bool tabbed = std::find(lineBegin, lineEnd, '\t') != lineEnd;
        if (length * (tabbed ? std::max(widest, tabAdvance) : widest) > wrapWidth) {
            // With the line end before it, as the whole text's wrapping sees the line.
            const std::size_t from = start == 0 ? 0 : start - 1;
            std::string line = text.substr(from, end - from);
            const std::size_t original = end - from;
            wrapLine(line);
            text.replace(from, original, line);
            end = from + line.size();
        }
        start = end + 1;
    }
    wrapped = std::move(text);
    rowStarts.clear();
    start = 0;
    while (start < wrapped.size()) {
        rowStarts.push_back(start);
        const std::size_t end = wrapped.find('\n', start);
        if (end == std::string::npos) break;
        start = end + 1;
    }
}

std::string WrappedText::rows(std::size_t first, std::size_t end) const {
    end = std::min(end, rowStarts.size());
    if (first >= end) return {};
    const std::size_t from = rowStarts[first];
    const std::size_t to = end < rowStarts.size() ? rowStarts[end] : wrapped.size();
    return wrapped.substr(from, to - from);
}

}  // namespace vexmolda

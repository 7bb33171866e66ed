#include "gui/WrappedText.h"

#include <algorithm>

#include "gui/TextLayout.h"

namespace vexmolda {

void WrappedText::assign(std::string text, const GlfFont& font, float wrapWidth, float size) {
    wrapText(font, text, wrapWidth, size);
    wrapped = std::move(text);
    rowStarts.clear();
    std::size_t start = 0;
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

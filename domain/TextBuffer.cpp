#include "domain/TextBuffer.h"

namespace vexmolda {

void TextBuffer::append(std::string line) {
    if (enabled) lines.push_back(std::move(line));
}

std::string TextBuffer::text() const {
    std::string joined;
    for (const std::string& line : lines) joined += line;
    return joined;
}

}  // namespace vexmolda

#include "gui/Utf8.h"

namespace vexmolda {

namespace {

bool continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 1;
}

}  // namespace

std::size_t utf8Length(const std::string& text, std::size_t position) {
    if (position >= text.size()) return 0;
    const std::size_t length = sequenceLength(static_cast<unsigned char>(text[position]));
    if (position + length > text.size()) return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if (!continuation(static_cast<unsigned char>(text[position + i]))) return 1;
    }
    return length;
}

std::size_t utf8Previous(const std::string& text, std::size_t position) {
    if (position == 0) return 0;
    if (position > text.size()) position = text.size();
    std::size_t start = position - 1;
    while (start > 0 && position - start < 4 && continuation(static_cast<unsigned char>(text[start]))) --start;
    return start + utf8Length(text, start) == position ? start : position - 1;
}

}  // namespace vexmolda

#include "command/CAtoi.h"

#include <limits>

namespace vexmolda {

ReadNumber readCNumber(const std::string& text) {
    std::size_t position = 0;
    auto isSpace = [](char byte) { return byte == ' ' || (byte >= '\t' && byte <= '\r'); };
    while (position < text.size() && isSpace(text[position])) ++position;
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    // Accumulate the magnitude, stopping just past the 32-bit range.
    const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
    std::uint64_t magnitude = 0;
    ReadNumber number;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(text[position] - '0');
        if (magnitude > limit) {
            magnitude = limit;
            number.clamped = true;
        }
    }
    number.value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                            : static_cast<std::int32_t>(magnitude);
    return number;
}

std::int32_t cAtoi(const std::string& text) { return readCNumber(text).value; }

std::int32_t readSolveLimit(const std::string& text, Diagnostics& messages) {
    const ReadNumber number = readCNumber(text);
    if (number.clamped) {
        const bool largest = number.value == std::numeric_limits<std::int32_t>::max();
        messages.append("Limit \"" + text + "\" does not fit: solving with the " + (largest ? "largest" : "smallest") +
                        " limit, " + std::to_string(number.value) + "\n");
    }
    return number.value;
}

}  // namespace vexmolda

#include "command/CAtoi.h"

#include <limits>

namespace vexmolda {

std::int32_t cAtoi(const std::string& text) {
    std::size_t position = 0;
    auto isSpace = [](char byte) { return byte == ' ' || (byte >= '\t' && byte <= '\r'); };
    while (position < text.size() && isSpace(text[position])) ++position;
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    // Accumulate the magnitude, saturating past the 64-bit range.
    const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
    std::uint64_t magnitude = 0;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
        const auto digit = static_cast<std::uint64_t>(text[position] - '0');
        if (magnitude > (limit - digit) / 10) {
            magnitude = limit;
        } else {
            magnitude = magnitude * 10 + digit;
        }
    }
    const std::uint64_t value = negative ? ~magnitude + 1 : magnitude;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

}  // namespace vexmolda

#pragma once
// Reading a number the way the C library's atoi does, on every platform.

#include <cstdint>
#include <string>

#include "domain/Diagnostics.h"

namespace vexmolda {

// A number read as atoi reads it: leading white space, an optional sign,
// digits; no digits gives 0. Past the 32-bit range it gives the nearest bound.
struct ReadNumber {
    std::int32_t value = 0;
    bool clamped = false;  // the digits gave a number past the 32-bit range
};
ReadNumber readCNumber(const std::string& text);

// readCNumber's value.
std::int32_t cAtoi(const std::string& text);

// The LIMIT of "solve NAME LIMIT": readCNumber's value, with one message
// when the number did not fit.
std::int32_t readSolveLimit(const std::string& text, Diagnostics& messages);

}  // namespace vexmolda

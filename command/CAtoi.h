#pragma once
// Reading a number the way the C library's atoi does, on every platform.

#include <cstdint>
#include <string>

namespace vexmolda {

// Leading white space, an optional sign, digits; no digits gives 0. Out of
// range as glibc gives it: clamped to 64 bits, then truncated to 32.
std::int32_t cAtoi(const std::string& text);

}  // namespace vexmolda

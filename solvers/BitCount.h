#pragma once
// Counting set bits without a library call: the baseline x86-64 target has
// no popcount instruction, and the compiler's fallback is a call.

#include <bit>
#include <cstdint>

namespace vexmolda {

inline int countBits(std::uint64_t bits) {
#if defined(__POPCNT__) || !(defined(__x86_64__) || defined(__i386__))
    return std::popcount(bits);
#else
    bits -= (bits >> 1) & 0x5555555555555555ull;
    bits = (bits & 0x3333333333333333ull) + ((bits >> 2) & 0x3333333333333333ull);
    bits = (bits + (bits >> 4)) & 0x0f0f0f0f0f0f0f0full;
    return static_cast<int>((bits * 0x0101010101010101ull) >> 56);
#endif
}

}  // namespace vexmolda

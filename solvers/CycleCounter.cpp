#include "solvers/CycleCounter.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#else
#include <chrono>
#endif

namespace vexmolda {

std::uint64_t readCycleCounter() {
#if defined(__x86_64__) || defined(__i386__)
    unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
    __cpuid(0, eax, ebx, ecx, edx);  // serialises: nothing earlier is still in flight
    return __rdtsc();
#else
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()) * 2;
#endif
}

}  // namespace vexmolda

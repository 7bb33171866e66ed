#pragma once
// What a container is about to allocate, so a search can stop before a
// growth passes the memory limit.

#include <algorithm>
#include <cstddef>
#include <vector>

namespace vexmolda {

// The bytes the vector allocates to hold `more` elements beyond its size:
// none while its capacity suffices, else twice its capacity (or what it
// needs, if more), as a growing vector takes.
template <typename T>
std::size_t vectorGrowthBytes(const std::vector<T>& vector, std::size_t more) {
    const std::size_t needed = vector.size() + more;
    if (needed <= vector.capacity()) return 0;
    return std::max(vector.capacity() * 2, needed) * sizeof(T);
}

}  // namespace vexmolda

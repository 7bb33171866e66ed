#include "solvers/IslandRandom.h"

namespace vexmolda {

int IslandRandom::next() {
    // Unsigned arithmetic wraps modulo 2^32, which is the generator's modulus.
    seed = seed * 214013u + 2531011u;
    return static_cast<int>((seed >> 16) & 0x7fffu);
}

}  // namespace vexmolda

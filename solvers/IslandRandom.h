#pragma once
// The random numbers of "inselrand": one fixed generator, so the same
// commands give the same plans on every platform.

#include <cstdint>

namespace vexmolda {

// Linear congruential generator: seed = seed * 214013 + 2531011 (mod 2^32),
// each draw bits 16 to 30 of the new seed. Starts at seed 1 and is never
// reseeded: the session keeps one, whose sequence goes on from run to run.
class IslandRandom {
public:
    // The next value, 0 to 32767.
    int next();
    // Equal generators draw the same sequence from here on.
    bool operator==(const IslandRandom&) const = default;

private:
    std::uint32_t seed = 1;
};

}  // namespace vexmolda

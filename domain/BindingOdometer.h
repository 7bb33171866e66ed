#pragma once
// Counting through every combination of choices, one choice per variable,
// the last variable turning fastest.

#include <cassert>
#include <cstddef>
#include <utility>
#include <vector>

namespace vexmolda {

// Positions into per-variable lists of choices of the given sizes, starting at the first combination.
class BindingOdometer {
public:
    explicit BindingOdometer(std::vector<std::size_t> choiceCounts)
        : counts(std::move(choiceCounts)), positions(counts.size(), 0) {}

    // False when a variable has no choice: there is no combination at all.
    bool any() const {
        for (std::size_t count : counts) {
            if (count == 0) return false;
        }
        return true;
    }
    // The position of variable i in the current combination.
    std::size_t operator[](std::size_t i) const {
        assert(i < positions.size() && positions[i] < counts[i]);
        return positions[i];
    }
    // Moves to the next combination; false after the last one (at once without variables).
    bool advance() {
        for (std::size_t i = positions.size(); i > 0; --i) {
            if (++positions[i - 1] < counts[i - 1]) return true;
            positions[i - 1] = 0;
        }
        return false;
    }

private:
    std::vector<std::size_t> counts;
    std::vector<std::size_t> positions;
};

}  // namespace vexmolda

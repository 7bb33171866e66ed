#pragma once
// "lmcount": the landmarks not reached yet plus those reached but required
// again, with the landmark graph of the run's initial state.

#include <cstdint>
#include <vector>

#include "solvers/Heuristic.h"
#include "solvers/LandmarkGraph.h"

namespace vexmolda {

// The status of a state is one bit per landmark: reached on the way there
// (a child's reached landmarks are its parent's plus those true in it). A
// reached landmark is required again when it is false in the state and a
// goal, or ordered before one not reached. Preferred: the applicable
// achievers of a landmark that counts and whose predecessors are reached.
class LandmarkCountHeuristic : public Heuristic {
public:
    explicit LandmarkCountHeuristic(const RelaxedTask& task);
    std::size_t statusWords() const override { return words; }
    void initialStatus(const std::uint64_t* state, std::uint64_t* status) const override;
    void childStatus(const std::uint64_t* parentStatus, const std::uint64_t* child,
                     std::uint64_t* status) const override;
    std::int32_t evaluate(const std::uint64_t* state, const std::uint64_t* status) override;
    std::span<const std::int32_t> preferred() const override { return preferredIds; }
    const LandmarkGraph& graph() const { return landmarks; }
    // Whether the landmark counted in the last evaluation, and why.
    bool reachedLast(std::size_t landmark) const { return testBit(lastStatus, static_cast<std::uint32_t>(landmark)); }
    bool requiredAgainLast(std::size_t landmark) const { return requiredAgain[landmark] != 0; }

private:
    LandmarkGraph landmarks;
    std::size_t words;
    std::vector<std::uint64_t> initialReached;
    std::vector<std::uint64_t> loneStatus;
    const std::uint64_t* lastStatus = nullptr;
    std::vector<std::uint8_t> requiredAgain;
    std::vector<std::int32_t> preferredIds;
};

}  // namespace vexmolda

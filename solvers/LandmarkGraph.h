#pragma once
// Fact landmarks of the delete relaxation and their greedy-necessary orders.

#include <cstdint>
#include <span>
#include <vector>

#include "solvers/RelaxedTask.h"

namespace vexmolda {

// Found by back-chaining from the goal facts: the preconditions shared by
// every first achiever of a landmark (an achiever that can apply before the
// landmark was ever true) are candidates, kept when the goal cannot be
// reached without deletes once the candidate's achievers are left out. Such
// a candidate must hold whenever the landmark is first made true: that is
// the greedy-necessary order candidate -> landmark.
class LandmarkGraph {
public:
    LandmarkGraph(const RelaxedTask& task, const std::uint64_t* initial);

    // False when the goal cannot be reached from the initial state even
    // without deletes; the graph is then empty.
    bool goalReachable() const { return reachable; }
    // Landmarks in the order found: the goal facts first.
    std::size_t size() const { return landmarkBit.size(); }
    // The landmark's fact as a bit of the packed task.
    std::uint32_t bit(std::size_t landmark) const { return landmarkBit[landmark]; }
    bool isGoal(std::size_t landmark) const { return goalFlag[landmark]; }
    // The least cost of an achiever; 1 for facts nothing adds.
    std::int32_t cost(std::size_t landmark) const { return landmarkCost[landmark]; }
    // Landmarks ordered greedy-necessarily before this one, in the order found.
    std::span<const std::uint32_t> before(std::size_t landmark) const { return slice(beforeBegin, beforeList, landmark); }
    // Landmarks this one is ordered before.
    std::span<const std::uint32_t> after(std::size_t landmark) const { return slice(afterBegin, afterList, landmark); }
    // The relaxed actions that add the landmark's fact.
    std::span<const std::uint32_t> achievers(std::size_t landmark) const { return task.achievers(landmarkBit[landmark]); }

private:
    static std::span<const std::uint32_t> slice(const std::vector<std::uint32_t>& begins,
                                                const std::vector<std::uint32_t>& list, std::size_t index) {
        return {list.data() + begins[index], begins[index + 1] - begins[index]};
    }
    // Facts reachable without deletes from the initial state when the
    // achievers of excluded (a bit, or -1 for none) never apply.
    void reachWithout(std::int64_t excluded);

    const RelaxedTask& task;
    const std::uint64_t* initialState;
    bool reachable = false;
    std::vector<std::uint32_t> landmarkBit;
    std::vector<bool> goalFlag;
    std::vector<std::int32_t> landmarkCost;
    std::vector<std::uint32_t> beforeBegin, beforeList;
    std::vector<std::uint32_t> afterBegin, afterList;
    // reachWithout's working data.
    std::vector<std::uint8_t> reached;
    std::vector<std::uint32_t> waiting;
    std::vector<std::uint32_t> queue;
};

}  // namespace vexmolda

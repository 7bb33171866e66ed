#include "solvers/LandmarkCountHeuristic.h"

#include <algorithm>

namespace vexmolda {

LandmarkCountHeuristic::LandmarkCountHeuristic(const RelaxedTask& task)
    : Heuristic(task),
      landmarks(task, task.packed().initialBits().data()),
      words(std::max<std::size_t>(1, (landmarks.size() + 63) / 64)),
      initialReached(words, 0),
      loneStatus(words, 0),
      requiredAgain(landmarks.size(), 0) {
    initialStatus(task.packed().initialBits().data(), initialReached.data());
}

void LandmarkCountHeuristic::initialStatus(const std::uint64_t* state, std::uint64_t* status) const {
    std::fill(status, status + words, 0);
    childStatus(status, state, status);
}

void LandmarkCountHeuristic::childStatus(const std::uint64_t* parentStatus, const std::uint64_t* child,
                                         std::uint64_t* status) const {
    std::copy(parentStatus, parentStatus + words, status);
    for (std::size_t landmark = 0; landmark < landmarks.size(); ++landmark) {
        if (testBit(child, landmarks.bit(landmark))) status[landmark >> 6] |= std::uint64_t{1} << (landmark & 63);
    }
}

std::int32_t LandmarkCountHeuristic::evaluate(const std::uint64_t* state, const std::uint64_t* status) {
    preferredIds.clear();
    if (!landmarks.goalReachable()) {
        lastStatus = initialReached.data();
        return infiniteValue;
    }
    if (status == nullptr) {
        childStatus(initialReached.data(), state, loneStatus.data());
        status = loneStatus.data();
    }
    lastStatus = status;
    auto isReached = [&](std::size_t landmark) { return testBit(status, static_cast<std::uint32_t>(landmark)); };
    std::int64_t value = 0;
    for (std::size_t landmark = 0; landmark < landmarks.size(); ++landmark) {
        requiredAgain[landmark] = 0;
        if (!isReached(landmark)) {
            value += landmarks.cost(landmark);
            continue;
        }
        if (testBit(state, landmarks.bit(landmark))) continue;
        const auto later = landmarks.after(landmark);
        if (landmarks.isGoal(landmark) ||
            std::any_of(later.begin(), later.end(), [&](std::uint32_t next) { return !isReached(next); })) {
            requiredAgain[landmark] = 1;
            value += landmarks.cost(landmark);
        }
    }
    for (std::size_t landmark = 0; landmark < landmarks.size(); ++landmark) {
        if (isReached(landmark) && !requiredAgain[landmark]) continue;
        const auto earlier = landmarks.before(landmark);
        if (!std::all_of(earlier.begin(), earlier.end(), isReached)) continue;
        for (std::uint32_t action : landmarks.achievers(landmark)) {
            if (relaxed.applicable(action, state)) preferredIds.push_back(relaxed.instanceOf(action));
        }
    }
    std::sort(preferredIds.begin(), preferredIds.end());
    preferredIds.erase(std::unique(preferredIds.begin(), preferredIds.end()), preferredIds.end());
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, infiniteValue - 1));
}

}  // namespace vexmolda

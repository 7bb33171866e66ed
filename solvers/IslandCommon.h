#pragma once
// What the four island solvers share: their log entries, the candidate list
// and the bound on a run's plan length.

#include <cstddef>
#include <vector>

#include "domain/State.h"
#include "grounding/OperationInstance.h"

namespace vexmolda {

// A run of "inselol", "inselpl" or "inselrand" fails once its plan holds more
// steps than this. Their levels can loop without recursing (an instance whose
// effect undoes another's), and only this bound stops such a loop before the
// plan and the log exhaust memory. Hand-written domains need plans of tens to
// hundreds of steps, so no plan one can read is lost.
constexpr std::size_t islandStepBound = 100000;

// A run of "inselol" or "inselpl" fails once it has picked more candidates
// than this. Their backtracking can take exponential time: on a small gripper
// problem "solve inselol 1" would try candidates for hours while its log grew
// by tens of megabytes a second. This many picks take a few seconds and keep
// the log within a few hundred megabytes.
constexpr std::size_t islandPickBound = 1000000;

// Logs "\nTrying to achieve: " and the goals.
void logTryingToAchieve(const State& goals);
// Logs "Picked: " and the instance's signature.
void logPicked(const OperationInstance& instance);
// Logs "New State: " and the working state.
void logNewState(const State& state);

// Every instance in list order, once for each of its add facts that is a
// goal and not yet in the state.
void buildCandidates(const State& state, const State& goals, std::vector<OperationInstance*>& candidates);

}  // namespace vexmolda

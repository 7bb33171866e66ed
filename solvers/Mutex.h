#pragma once
// Interference and mutual exclusion between the nodes of a planning graph.

#include <cstdint>

#include "solvers/PlanningGraph.h"

namespace vexmolda {

// What makes two actions interfere: which one deletes which fact of the other.
struct InterferenceWitness {
    bool found = false;
    std::uint32_t deleter = 0;
    std::uint32_t other = 0;
    const Fact* fact = nullptr;
    bool addEffect = false;  // the fact is an add effect of the other (else a precondition)
};
// The first deletion that makes a and b interfere, in the order interferes tests them.
InterferenceWitness interference(const PlanningGraph& graph, std::uint32_t a, std::uint32_t b);
// The first pair of mutex preconditions, p of a and q of b, in competingNeeds' order.
struct NeedsWitness {
    bool found = false;
    std::uint32_t p = 0;
    std::uint32_t q = 0;
};
NeedsWitness competingNeed(const PlanningGraph& graph, std::uint32_t a, std::uint32_t b, std::uint32_t level);

// One action deletes a precondition or an add effect of the other.
bool interferes(const PlanningGraph& graph, std::uint32_t a, std::uint32_t b);
// Some precondition of a is mutex with some precondition of b at fact level L-1.
bool competingNeeds(const PlanningGraph& graph, std::uint32_t a, std::uint32_t b, std::uint32_t level);
// Every producer of f is mutex with every producer of g at action level L.
bool producersMutex(const PlanningGraph& graph, std::uint32_t f, std::uint32_t g, std::uint32_t level);
// Interference and the action mutexes of level L. Polls the control, if any,
// once a node; false when asked to stop, the level's rows then unfinished.
bool computeActionMutexes(PlanningGraph& graph, std::uint32_t level, WorkControl* control = nullptr);
// The fact mutexes of level L; sets changed when a mutex of level L-1
// vanishes. Polls the control as computeActionMutexes does.
bool computeFactMutexes(PlanningGraph& graph, std::uint32_t level, WorkControl* control = nullptr);

}  // namespace vexmolda

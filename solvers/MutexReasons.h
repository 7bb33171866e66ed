#pragma once
// Why two nodes of a planning graph are mutex, in words, from the tests that decide it.

#include <cstdint>
#include <string>

#include "solvers/PlanningGraph.h"

namespace vexmolda {

// An action's name: its instance's signature without the line end, or "nop(fact)".
std::string actionName(const PlanningGraph& graph, std::uint32_t action);

// Why actions a and b are mutex at action level L ("interference: ..." or
// "competing needs: ..."); empty when they are not.
std::string actionMutexReason(const PlanningGraph& graph, std::uint32_t a, std::uint32_t b, std::uint32_t level);

// Why the deleter interferes with the other action ("interference: ..."); empty when they do not.
std::string interferenceReason(const PlanningGraph& graph, std::uint32_t a, std::uint32_t b);

// Why facts f and g are mutex at fact level L; empty when they are not.
std::string factMutexReason(const PlanningGraph& graph, std::uint32_t f, std::uint32_t g, std::uint32_t level);

}  // namespace vexmolda

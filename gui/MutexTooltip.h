#pragma once
// The Plangraph window's tooltip: why the hovered node is mutex with each partner.

#include <string>

#include "gui/GraphLayout.h"

namespace vexmolda {

// Most partners named one by one; the rest are counted.
constexpr std::size_t mutexTooltipPartners = 10;

// One line per mutex partner of the node, "partner: reason", for the first
// ten partners, then "and N more"; empty when the node has no partner.
// Reasons are asked only for the partners named.
std::string mutexTooltipText(const PlanningGraph& graph, const GraphNode& node);

}  // namespace vexmolda

#include "gui/MutexTooltip.h"

#include "solvers/MutexReasons.h"

namespace vexmolda {

std::string mutexTooltipText(const PlanningGraph& graph, const GraphNode& node) {
    const std::vector<GraphNode> partners = mutexPartners(graph, node);
    std::string text;
    for (std::size_t i = 0; i < partners.size() && i < mutexTooltipPartners; ++i) {
        const std::uint32_t partner = partners[i].id;
        if (node.kind == GraphNode::Kind::fact) {
            text += factNodeText(graph, partner) + ": " + factMutexReason(graph, node.id, partner, node.level) + "\n";
        } else {
            text += actionName(graph, partner) + ": " + actionMutexReason(graph, node.id, partner, node.level) + "\n";
        }
    }
    if (partners.size() > mutexTooltipPartners) {
        text += "and " + std::to_string(partners.size() - mutexTooltipPartners) + " more\n";
    }
    return text;
}

}  // namespace vexmolda

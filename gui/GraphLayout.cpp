#include "gui/GraphLayout.h"

#include <algorithm>
#include <cmath>

#include "domain/Fact.h"
#include "grounding/InstanceText.h"

namespace vexmolda {

namespace {

// The centre of the fact a no-op carries; 0 for a malformed no-op.
float noopCentre(const GraphLayout& layout, const PlanningGraph& graph, std::uint32_t actionId) {
    const ActionNode& node = graph.actionNodes[actionId];
    if (node.pres.empty() || node.pres.front() >= layout.factLeft.size()) return 0;
    const std::uint32_t fact = node.pres.front();
    return layout.factLeft[fact] + layout.factWidth[fact] / 2;
}

// The level whose band (row - before, row + after) holds y, when one does.
std::optional<std::uint32_t> bandLevel(float y, float rowOffset, float before, float after) {
    const float level = std::floor((y - rowOffset + before) / levelSpacing);
    if (!(level >= 0) || level > 1e9f) return std::nullopt;
    const float row = levelSpacing * level + rowOffset;
    if (row - before < y && y < row + after) return static_cast<std::uint32_t>(level);
    return std::nullopt;
}

}  // namespace

std::string factNodeText(const PlanningGraph& graph, std::uint32_t factId) {
    const Fact* fact = graph.factNodes[factId].fact;
    return fact ? factText(*fact) : std::string();
}

std::string actionNodeText(const PlanningGraph& graph, std::uint32_t actionId) {
    const OperationInstance* instance = graph.actionNodes[actionId].instance;
    return instance ? signatureText(*instance) : std::string();
}

GraphLayout layoutGraph(const PlanningGraph& graph, const TextMeasure& measure) {
    GraphLayout layout;
    const std::size_t factCount = graph.factNodes.size();
    layout.factLeft.resize(factCount);
    layout.factWidth.resize(factCount);
    float x = 0;
    layout.factTexts.resize(factCount);
    for (std::uint32_t i = 0; i < factCount; ++i) {
        layout.factTexts[i] = factNodeText(graph, i);
        const float width = measure(layout.factTexts[i]);
        layout.factLeft[i] = x;
        layout.factWidth[i] = width;
        x += width + nodeGap;
    }
    const std::size_t actionCount = graph.actionNodes.size();
    layout.kindIndex.resize(actionCount);
    x = 0;
    for (std::uint32_t j = 0; j < actionCount; ++j) {
        if (isNoop(graph, j)) {
            layout.kindIndex[j] = static_cast<std::uint32_t>(layout.noops.size());
            layout.noops.push_back(j);
            continue;
        }
        layout.instanceTexts.push_back(actionNodeText(graph, j));
        const float width = measure(layout.instanceTexts.back());
        layout.kindIndex[j] = static_cast<std::uint32_t>(layout.instances.size());
        layout.instances.push_back(j);
        layout.instanceOffset.push_back(x);
        layout.instanceWidth.push_back(width);
        x += width + nodeGap;
    }
    return layout;
}

std::uint32_t factLevelCount(const PlanningGraph& graph) {
    const std::size_t entries = graph.factLevelEnd.size();
    return entries >= 2 ? static_cast<std::uint32_t>(entries - 1) : 0;
}

std::uint32_t actionLevelCount(const PlanningGraph& graph) {
    const std::size_t entries = graph.actionLevelEnd.size();
    return entries >= 2 ? static_cast<std::uint32_t>(entries - 2) : 0;
}

std::uint32_t factsAtLevel(const PlanningGraph& graph, std::uint32_t level) {
    if (level + 1 >= graph.factLevelEnd.size()) return 0;
    return std::min<std::uint32_t>(graph.factLevelEnd[level + 1], static_cast<std::uint32_t>(graph.factNodes.size()));
}

std::uint32_t actionsAtLevel(const PlanningGraph& graph, std::uint32_t level) {
    if (level + 1 >= graph.actionLevelEnd.size()) return 0;
    return std::min<std::uint32_t>(graph.actionLevelEnd[level + 1],
                                   static_cast<std::uint32_t>(graph.actionNodes.size()));
}

bool isNoop(const PlanningGraph& graph, std::uint32_t actionId) {
    return graph.actionNodes[actionId].instance == nullptr;
}

std::uint32_t noopsAtLevel(const GraphLayout& layout, const PlanningGraph& graph, std::uint32_t level) {
    const std::uint32_t end = actionsAtLevel(graph, level);
    return static_cast<std::uint32_t>(std::lower_bound(layout.noops.begin(), layout.noops.end(), end) -
                                      layout.noops.begin());
}

std::uint32_t instancesAtLevel(const GraphLayout& layout, const PlanningGraph& graph, std::uint32_t level) {
    const std::uint32_t end = actionsAtLevel(graph, level);
    return static_cast<std::uint32_t>(std::lower_bound(layout.instances.begin(), layout.instances.end(), end) -
                                      layout.instances.begin());
}

float instanceStart(const GraphLayout& layout, const PlanningGraph& graph, std::uint32_t level) {
    const std::uint32_t noopCount = noopsAtLevel(layout, graph, level);
    const float lastNoop = noopCount > 0 ? noopCentre(layout, graph, layout.noops[noopCount - 1]) : 0;
    return lastNoop + 4;
}

ViewPoint factPosition(const GraphLayout& layout, std::uint32_t factId, std::uint32_t level) {
    return {layout.factLeft[factId] + layout.factWidth[factId] / 2, factRowY(level)};
}

float instanceLeft(const GraphLayout& layout, const PlanningGraph& graph, std::uint32_t actionId,
                   std::uint32_t level) {
    return instanceStart(layout, graph, level) + layout.instanceOffset[layout.kindIndex[actionId]];
}

ViewPoint actionPosition(const GraphLayout& layout, const PlanningGraph& graph, std::uint32_t actionId,
                         std::uint32_t level) {
    if (isNoop(graph, actionId)) return {noopCentre(layout, graph, actionId), actionRowY(level)};
    const float width = layout.instanceWidth[layout.kindIndex[actionId]];
    return {instanceLeft(layout, graph, actionId, level) + width / 2, actionRowY(level)};
}

std::optional<GraphNode> nodeUnder(const GraphLayout& layout, const PlanningGraph& graph, ViewPoint point) {
    std::optional<GraphNode> found;
    if (const auto level = bandLevel(point.y, 0, 1, 3); level && *level < factLevelCount(graph)) {
        const std::uint32_t count = factsAtLevel(graph, *level);
        for (std::uint32_t i = 0; i < count; ++i) {
            const float left = layout.factLeft[i];
            if (left - 1 < point.x && point.x < left + layout.factWidth[i] + 1) {
                found = GraphNode{GraphNode::Kind::fact, i, *level};
            }
        }
    }
    if (const auto level = bandLevel(point.y, -levelSpacing / 2, 1, 3);
        level && *level >= 1 && *level <= actionLevelCount(graph)) {
        const std::uint32_t noopCount = noopsAtLevel(layout, graph, *level);
        for (std::uint32_t k = 0; k < noopCount; ++k) {
            const float centre = noopCentre(layout, graph, layout.noops[k]);
            if (centre - 2 < point.x && point.x < centre + 2) {
                found = GraphNode{GraphNode::Kind::action, layout.noops[k], *level};
            }
        }
        const float start = instanceStart(layout, graph, *level);
        const std::uint32_t instanceCount = instancesAtLevel(layout, graph, *level);
        for (std::uint32_t k = 0; k < instanceCount; ++k) {
            const float left = start + layout.instanceOffset[k];
            if (left - 1 < point.x && point.x < left + layout.instanceWidth[k] + 1) {
                found = GraphNode{GraphNode::Kind::action, layout.instances[k], *level};
            }
        }
    }
    return found;
}

std::vector<GraphNode> mutexPartners(const PlanningGraph& graph, const GraphNode& node) {
    std::vector<GraphNode> partners;
    const bool fact = node.kind == GraphNode::Kind::fact;
    const std::vector<BitRow>& rows = fact ? graph.factNodes[node.id].mutex : graph.actionNodes[node.id].mutex;
    if (node.level >= rows.size()) return partners;
    const BitRow& row = rows[node.level];
    const std::uint32_t count = fact ? factsAtLevel(graph, node.level) : actionsAtLevel(graph, node.level);
    for (std::uint32_t k = 0; k < count; ++k) {
        if (row.test(k)) partners.push_back(GraphNode{node.kind, k, node.level});
    }
    return partners;
}

NodeBox nodeBox(const GraphLayout& layout, const PlanningGraph& graph, const GraphNode& node) {
    if (node.kind == GraphNode::Kind::fact) {
        return {factPosition(layout, node.id, node.level), layout.factWidth[node.id] * 0.5f + 0.75f};
    }
    const ViewPoint position = actionPosition(layout, graph, node.id, node.level);
    if (isNoop(graph, node.id)) return {position, 2};
    return {position, layout.instanceWidth[layout.kindIndex[node.id]] * 0.5f + 0.75f};
}

}  // namespace vexmolda

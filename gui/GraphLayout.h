#pragma once
// Where the plangraph window puts every node, which node lies under the
// pointer and which nodes its highlight outlines; no drawing here.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gui/ZoomPan.h"
#include "solvers/PlanningGraph.h"

namespace vexmolda {

// The width of a node's text at the drawing size.
using TextMeasure = std::function<float(const std::string&)>;

// Vertical distance between two fact rows; action rows lie halfway.
constexpr float levelSpacing = 50;
// Space between neighbouring node texts in a row.
constexpr float nodeGap = 2;
// Text size of the node texts.
constexpr float nodeTextSize = 2;

// A fact's text: the fact without a line end.
std::string factNodeText(const PlanningGraph& graph, std::uint32_t factId);
// An instance action's text: its signature, with the line end; empty for a no-op.
std::string actionNodeText(const PlanningGraph& graph, std::uint32_t actionId);

// The widths of all node texts and the order of the action kinds, measured
// once per frame; every position follows from these.
struct GraphLayout {
    std::vector<std::string> factTexts;  // by fact id
    std::vector<float> factLeft;   // by fact id; the same at every fact level
    std::vector<float> factWidth;  // by fact id
    std::vector<std::uint32_t> noops;       // no-op action ids, ascending
    std::vector<std::uint32_t> instances;   // instance action ids, ascending
    std::vector<std::string> instanceTexts; // by index in instances
    std::vector<float> instanceOffset;      // by index in instances: left edge after the level's start
    std::vector<float> instanceWidth;       // by index in instances
    std::vector<std::uint32_t> kindIndex;   // by action id: index in noops or instances
};

GraphLayout layoutGraph(const PlanningGraph& graph, const TextMeasure& measure);

// Fact levels 0 .. factLevels-1 and action levels 1 .. actionLevels exist.
std::uint32_t factLevelCount(const PlanningGraph& graph);
std::uint32_t actionLevelCount(const PlanningGraph& graph);
// Number of fact or action nodes present at a level.
std::uint32_t factsAtLevel(const PlanningGraph& graph, std::uint32_t level);
std::uint32_t actionsAtLevel(const PlanningGraph& graph, std::uint32_t level);

inline float factRowY(std::uint32_t level) { return levelSpacing * level; }
inline float actionRowY(std::uint32_t level) { return levelSpacing * level - levelSpacing / 2; }

bool isNoop(const PlanningGraph& graph, std::uint32_t actionId);
// How many no-ops or instance actions the action level holds (prefixes of the lists).
std::uint32_t noopsAtLevel(const GraphLayout& layout, const PlanningGraph& graph, std::uint32_t level);
std::uint32_t instancesAtLevel(const GraphLayout& layout, const PlanningGraph& graph, std::uint32_t level);
// Left edge of the level's first instance text: 4 right of its last no-op.
float instanceStart(const GraphLayout& layout, const PlanningGraph& graph, std::uint32_t level);

// Horizontal centre and text top of a node at a level.
ViewPoint factPosition(const GraphLayout& layout, std::uint32_t factId, std::uint32_t level);
ViewPoint actionPosition(const GraphLayout& layout, const PlanningGraph& graph, std::uint32_t actionId,
                         std::uint32_t level);
// Left edge of an instance action's text at a level.
float instanceLeft(const GraphLayout& layout, const PlanningGraph& graph, std::uint32_t actionId,
                   std::uint32_t level);

// A node drawn at one level.
struct GraphNode {
    enum class Kind { fact, action };
    Kind kind;
    std::uint32_t id;
    std::uint32_t level;
    bool operator==(const GraphNode&) const = default;
};

// The node whose hover area holds the point (drawing units); the last one in
// drawing order when areas overlap.
std::optional<GraphNode> nodeUnder(const GraphLayout& layout, const PlanningGraph& graph, ViewPoint point);

// The nodes of the same level that are mutex with the node, ascending.
std::vector<GraphNode> mutexPartners(const PlanningGraph& graph, const GraphNode& node);

// An outline around a node's text: centre x, text top, half the width.
struct NodeBox {
    ViewPoint position;
    float halfWidth;
};
NodeBox nodeBox(const GraphLayout& layout, const PlanningGraph& graph, const GraphNode& node);

}  // namespace vexmolda

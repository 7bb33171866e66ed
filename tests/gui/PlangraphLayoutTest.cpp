#include <gtest/gtest.h>

#include <algorithm>

#include "domain/Atom.h"
#include "domain/Fact.h"
#include "domain/Type.h"
#include "gui/GraphLayout.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using Kind = GraphNode::Kind;

// One unit per character; line ends take no room, as with the font.
float characterCount(const std::string& text) {
    return static_cast<float>(std::count_if(text.begin(), text.end(), [](char c) { return c != '\n'; }));
}

// Facts a(), b() at level 0 and c() from level 1; action level 1 holds the
// no-ops of a and b and op(x), which needs a and b and adds c; action level 2
// adds the no-op of c. op(x) interferes with the no-op of a.
struct SmallGraph {
    SmallGraph() {
        testing::freshSession();
        Atom* x = testing::session().model.declareAtom("x", testing::session().model.anyType, testing::session().messages);
        argument = x;
        instance = OperationInstance(operation, {&argument, 1}, nullptr, 0, 0, 0);
        for (const char* name : {"a", "b", "c"}) {
            graph.factNodes.push_back(FactNode{testing::session().model.facts.intern(name, {}), {}, {}});
        }
        addAction(nullptr, {0}, {0});
        addAction(nullptr, {1}, {1});
        addAction(&instance, {0, 1}, {2});
        addAction(nullptr, {2}, {2});
        graph.factLevelEnd = {0, 2, 3, 3};
        graph.actionLevelEnd = {0, 0, 3, 4};
        for (ActionNode& node : graph.actionNodes) node.mutex.assign(3, BitRow(1));
        for (FactNode& node : graph.factNodes) node.mutex.assign(3, BitRow(1));
        markMutex(graph.actionNodes, 0, 2, 1);
        markMutex(graph.actionNodes, 0, 2, 2);
        markMutex(graph.factNodes, 0, 2, 1);
        layout = layoutGraph(graph, characterCount);
    }
    void addAction(OperationInstance* action, std::vector<std::uint32_t> pres, std::vector<std::uint32_t> adds) {
        ActionNode node;
        node.instance = action;
        node.pres = std::move(pres);
        node.adds = std::move(adds);
        graph.actionNodes.push_back(std::move(node));
    }
    template <class Nodes>
    static void markMutex(Nodes& nodes, std::uint32_t a, std::uint32_t b, std::uint32_t level) {
        nodes[a].mutex[level].set(b);
        nodes[b].mutex[level].set(a);
    }

    Operation operation{"op"};
    Atom* argument = nullptr;
    OperationInstance instance;
    PlanningGraph graph;
    GraphLayout layout;
};

TEST(PlangraphLayout, LevelCountsFollowTheLevelEnds) {
    SmallGraph small;
    EXPECT_EQ(factLevelCount(small.graph), 3u);
    EXPECT_EQ(actionLevelCount(small.graph), 2u);
    EXPECT_EQ(factsAtLevel(small.graph, 0), 2u);
    EXPECT_EQ(factsAtLevel(small.graph, 2), 3u);
    EXPECT_EQ(actionsAtLevel(small.graph, 1), 3u);
    EXPECT_EQ(noopsAtLevel(small.layout, small.graph, 1), 2u);
    EXPECT_EQ(noopsAtLevel(small.layout, small.graph, 2), 3u);
    EXPECT_EQ(instancesAtLevel(small.layout, small.graph, 2), 1u);
    // A level beyond the graph holds nothing.
    EXPECT_EQ(factsAtLevel(small.graph, 7), 0u);
    EXPECT_EQ(actionsAtLevel(small.graph, 7), 0u);
    const PlanningGraph empty;
    EXPECT_EQ(factLevelCount(empty), 0u);
    EXPECT_EQ(actionLevelCount(empty), 0u);
}

TEST(PlangraphLayout, FactRowsAreFiftyApartWithTwoUnitGaps) {
    SmallGraph small;
    // "a()" and "b()" are 3 wide: a at 0..3, b at 5..8, c at 10..13.
    const ViewPoint a = factPosition(small.layout, 0, 0);
    const ViewPoint b = factPosition(small.layout, 1, 0);
    EXPECT_FLOAT_EQ(a.x, 1.5f);
    EXPECT_FLOAT_EQ(a.y, 0);
    EXPECT_FLOAT_EQ(b.x, 6.5f);
    const ViewPoint c = factPosition(small.layout, 2, 1);
    EXPECT_FLOAT_EQ(c.x, 11.5f);
    EXPECT_FLOAT_EQ(c.y, 50);
    // A fact keeps its place at every later level.
    EXPECT_FLOAT_EQ(factPosition(small.layout, 1, 2).x, 6.5f);
    EXPECT_FLOAT_EQ(factPosition(small.layout, 1, 2).y, 100);
}

TEST(PlangraphLayout, NoopsSitUnderTheirFactsAndInstancesStartFourRightOfTheLast) {
    SmallGraph small;
    const ViewPoint noopA = actionPosition(small.layout, small.graph, 0, 1);
    EXPECT_FLOAT_EQ(noopA.x, 1.5f);
    EXPECT_FLOAT_EQ(noopA.y, 25);
    EXPECT_FLOAT_EQ(actionPosition(small.layout, small.graph, 1, 1).x, 6.5f);
    // Level 1: last no-op under b (6.5), so "op(x)" spans 10.5..15.5.
    EXPECT_FLOAT_EQ(instanceStart(small.layout, small.graph, 1), 10.5f);
    EXPECT_FLOAT_EQ(instanceLeft(small.layout, small.graph, 2, 1), 10.5f);
    EXPECT_FLOAT_EQ(actionPosition(small.layout, small.graph, 2, 1).x, 13);
    // Level 2 also has c's no-op at 11.5: the instance moves to 15.5.
    EXPECT_FLOAT_EQ(instanceStart(small.layout, small.graph, 2), 15.5f);
    const ViewPoint later = actionPosition(small.layout, small.graph, 2, 2);
    EXPECT_FLOAT_EQ(later.x, 18);
    EXPECT_FLOAT_EQ(later.y, 75);
}

TEST(PlangraphLayout, LevelWithoutNoopsStartsAtFour) {
    testing::freshSession();
    const Operation startOperation("start");
    OperationInstance start(startOperation, {}, nullptr, 0, 0, 0);
    PlanningGraph graph;
    graph.factNodes.push_back(FactNode{testing::session().model.facts.intern("done", {}), {}, {}});
    ActionNode action;
    action.instance = &start;
    action.adds = {0};
    graph.actionNodes.push_back(action);
    graph.factLevelEnd = {0, 0, 1};
    graph.actionLevelEnd = {0, 0, 1};
    const GraphLayout layout = layoutGraph(graph, characterCount);
    EXPECT_FLOAT_EQ(instanceStart(layout, graph, 1), 4);
    EXPECT_FLOAT_EQ(actionPosition(layout, graph, 0, 1).x, 4 + 3.5f);
}

TEST(PlangraphLayout, HoverFindsTheNodeWhoseBandHoldsThePoint) {
    SmallGraph small;
    const auto at = [&](float x, float y) { return nodeUnder(small.layout, small.graph, {x, y}); };
    EXPECT_EQ(at(6.5f, 1), (GraphNode{Kind::fact, 1, 0}));
    EXPECT_EQ(at(1, 51), (GraphNode{Kind::fact, 0, 1}));
    EXPECT_EQ(at(12, 101), (GraphNode{Kind::fact, 2, 2}));
    // The band is (row - 1, row + 3) and each box reaches 1 past the text.
    EXPECT_EQ(at(6.5f, -0.9f), (GraphNode{Kind::fact, 1, 0}));
    EXPECT_FALSE(at(6.5f, -1));
    EXPECT_FALSE(at(6.5f, 3));
    EXPECT_EQ(at(-0.9f, 1), (GraphNode{Kind::fact, 0, 0}));
    // a's box ends at 4 and b's starts there: exactly 4 is in neither.
    EXPECT_FALSE(at(4, 1));
    EXPECT_EQ(at(4.1f, 1), (GraphNode{Kind::fact, 1, 0}));
    // c is not at level 0.
    EXPECT_FALSE(at(12, 1));
    EXPECT_FALSE(at(100, 1));
}

TEST(PlangraphLayout, HoverOnActionRows) {
    SmallGraph small;
    const auto at = [&](float x, float y) { return nodeUnder(small.layout, small.graph, {x, y}); };
    EXPECT_EQ(at(6.5f, 25), (GraphNode{Kind::action, 1, 1}));
    EXPECT_EQ(at(8.4f, 27.9f), (GraphNode{Kind::action, 1, 1}));
    EXPECT_FALSE(at(8.5f, 25));
    EXPECT_FALSE(at(6.5f, 28));
    EXPECT_FALSE(at(6.5f, 24));
    EXPECT_EQ(at(15, 25), (GraphNode{Kind::action, 2, 1}));
    EXPECT_EQ(at(11.5f, 75), (GraphNode{Kind::action, 3, 2}));
    EXPECT_EQ(at(20, 75), (GraphNode{Kind::action, 2, 2}));
    // Between rows, and above the first action row, nothing.
    EXPECT_FALSE(at(6.5f, 12));
    EXPECT_FALSE(at(6.5f, -25));
    EXPECT_FALSE(at(6.5f, 125));
}

TEST(PlangraphLayout, OverlappingNoopAreasGoToTheLaterOne) {
    SmallGraph small;
    // Half-unit texts put the two no-ops 2.5 apart; their 4-wide areas overlap.
    const GraphLayout narrow = layoutGraph(small.graph, [](const std::string&) { return 0.5f; });
    EXPECT_EQ(nodeUnder(narrow, small.graph, {1.5f, 25}), (GraphNode{Kind::action, 1, 1}));
    EXPECT_EQ(nodeUnder(narrow, small.graph, {0, 25}), (GraphNode{Kind::action, 0, 1}));
}

TEST(PlangraphLayout, HighlightNamesTheMutexPartnersOfTheSameLevel) {
    SmallGraph small;
    EXPECT_EQ(mutexPartners(small.graph, {Kind::action, 0, 1}), (std::vector<GraphNode>{{Kind::action, 2, 1}}));
    EXPECT_EQ(mutexPartners(small.graph, {Kind::action, 2, 2}), (std::vector<GraphNode>{{Kind::action, 0, 2}}));
    EXPECT_TRUE(mutexPartners(small.graph, {Kind::action, 1, 1}).empty());
    EXPECT_EQ(mutexPartners(small.graph, {Kind::fact, 2, 1}), (std::vector<GraphNode>{{Kind::fact, 0, 1}}));
    // The fact mutex of level 1 is gone at level 2.
    EXPECT_TRUE(mutexPartners(small.graph, {Kind::fact, 0, 2}).empty());
    // A level the node has no row for highlights nothing.
    EXPECT_TRUE(mutexPartners(small.graph, {Kind::fact, 0, 9}).empty());
}

TEST(PlangraphLayout, BoxesReachThreeQuartersOfAUnitPastTheText) {
    SmallGraph small;
    const NodeBox fact = nodeBox(small.layout, small.graph, {Kind::fact, 1, 0});
    EXPECT_FLOAT_EQ(fact.position.x, 6.5f);
    EXPECT_FLOAT_EQ(fact.halfWidth, 2.25f);
    EXPECT_FLOAT_EQ(nodeBox(small.layout, small.graph, {Kind::action, 0, 1}).halfWidth, 2);
    const NodeBox action = nodeBox(small.layout, small.graph, {Kind::action, 2, 1});
    EXPECT_FLOAT_EQ(action.halfWidth, 3.25f);
    EXPECT_FLOAT_EQ(action.position.y, 25);
}

TEST(PlangraphLayout, NodeTexts) {
    SmallGraph small;
    EXPECT_EQ(factNodeText(small.graph, 2), "c()");
    EXPECT_EQ(actionNodeText(small.graph, 2), "op(x)\n");
    EXPECT_EQ(actionNodeText(small.graph, 0), "");
    // The layout keeps the texts it measured, instances in id order.
    EXPECT_EQ(small.layout.factTexts, (std::vector<std::string>{"a()", "b()", "c()"}));
    EXPECT_EQ(small.layout.instanceTexts, (std::vector<std::string>{"op(x)\n"}));
}

}  // namespace
}  // namespace vexmolda

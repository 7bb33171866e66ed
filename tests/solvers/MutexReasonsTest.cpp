#include <gtest/gtest.h>

#include "command/LoadFile.h"
#include "command/Session.h"
#include "domain/Fact.h"
#include "solvers/Graphplan.h"
#include "solvers/MutexReasons.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

std::uint32_t actionNamed(const PlanningGraph& graph, const std::string& name) {
    for (std::uint32_t a = 0; a < graph.actionNodes.size(); ++a) {
        if (actionName(graph, a) == name) return a;
    }
    ADD_FAILURE() << "no action " << name;
    return 0;
}

std::uint32_t factNamed(const PlanningGraph& graph, const std::string& name) {
    for (std::uint32_t f = 0; f < graph.factNodes.size(); ++f) {
        if (factText(*graph.factNodes[f].fact) == name) return f;
    }
    ADD_FAILURE() << "no fact " << name;
    return 0;
}

TEST(MutexReasons, EveryMutexOfTheCargoGraphHasItsReasonAndNoOtherPairHasOne) {
    testing::freshSession();
    loadFile(testing::session(), testing::sourcePath("examples/rocket.pln"));
    ASSERT_NE(testing::session().graph, nullptr);
    const PlanningGraph& graph = *testing::session().graph;
    ASSERT_GE(graph.deepestLevel(), 3);

    const auto load = actionNamed(graph, "load(a,r,london)");
    const auto unload = actionNamed(graph, "unload(a,r,london)");
    const auto flyThere = actionNamed(graph, "fly(r,london,paris)");
    const auto flyBack = actionNamed(graph, "fly(r,paris,london)");
    const auto keepInside = actionNamed(graph, "nop(inside(a,r))");
    EXPECT_EQ(actionMutexReason(graph, flyThere, load, 1),
              "interference: fly(r,london,paris) deletes rocketAt(r,london), a precondition of load(a,r,london)");
    EXPECT_EQ(actionMutexReason(graph, load, flyThere, 1), actionMutexReason(graph, flyThere, load, 1));
    EXPECT_EQ(actionMutexReason(graph, unload, load, 2),
              "interference: unload(a,r,london) deletes inside(a,r), an add effect of load(a,r,london)");
    EXPECT_EQ(actionMutexReason(graph, flyBack, flyThere, 3),
              "interference: fly(r,paris,london) deletes rocketAt(r,paris), an add effect of fly(r,london,paris)");
    EXPECT_EQ(actionMutexReason(graph, load, keepInside, 3),
              "competing needs: at(a,london) and inside(a,r) are mutex at level 2");
    EXPECT_EQ(factMutexReason(graph, factNamed(graph, "at(a,london)"), factNamed(graph, "inside(a,r)"), 2),
              "every way to reach at(a,london) is mutex with every way to reach inside(a,r) at level 2");
    EXPECT_EQ(actionMutexReason(graph, load, flyBack, 1), "");  // fly back does not exist yet

    // The reasons agree with the rows the expansion left, at every level.
    int mutexPairs = 0;
    for (std::uint32_t level = 1; level <= static_cast<std::uint32_t>(graph.deepestLevel()); ++level) {
        for (std::uint32_t a = 0; a < graph.actionLevelEnd[level + 1]; ++a) {
            for (std::uint32_t b = 0; b < graph.actionLevelEnd[level + 1]; ++b) {
                const bool mutex = graph.actionNodes[a].mutex[level].test(b);
                mutexPairs += mutex;
                EXPECT_EQ(actionMutexReason(graph, a, b, level).empty(), !mutex) << level << " " << a << " " << b;
            }
        }
        for (std::uint32_t f = 0; f < graph.factLevelEnd[level + 1]; ++f) {
            for (std::uint32_t g = 0; g < graph.factLevelEnd[level + 1]; ++g) {
                const bool mutex = graph.factNodes[f].mutex[level].test(g);
                mutexPairs += mutex;
                EXPECT_EQ(factMutexReason(graph, f, g, level).empty(), !mutex) << level << " " << f << " " << g;
            }
        }
    }
    EXPECT_GT(mutexPairs, 100);
}

}  // namespace
}  // namespace vexmolda

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "command/Execute.h"
#include "command/LoadFile.h"
#include "command/Session.h"
#include "domain/Fact.h"
#include "grounding/OperationInstance.h"
#include "solvers/Graphplan.h"
#include "solvers/Mutex.h"
#include "solvers/StateOperations.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::runLines;
using testing::session;

// The graph the tests below build level by level.
PlanningGraph& graph() {
    static PlanningGraph built;
    return built;
}

// Empties the graph and builds level 0 of the session's task.
void buildLevelZero() {
    graph().clearGraph();
    graph().buildLevelZero(session().model.initState, session().instances, session().model.facts.size());
}

std::uint32_t factId(const std::string& text) {
    for (std::uint32_t id = 0; id < graph().factNodes.size(); ++id) {
        if (factText(*graph().factNodes[id].fact) == text) return id;
    }
    ADD_FAILURE() << "no fact node " << text;
    return 0;
}

std::string actionText(std::uint32_t id) {
    const ActionNode& node = graph().actionNodes[id];
    if (node.instance) return stepText(*node.instance);
    return "noop " + factText(*graph().factNodes[node.adds[0]].fact);
}

std::vector<std::string> producerTexts(const std::string& fact) {
    std::vector<std::string> texts;
    for (std::uint32_t action : graph().factNodes[factId(fact)].producers) texts.push_back(actionText(action));
    return texts;
}

bool factsMutex(const std::string& first, const std::string& second, std::uint32_t level) {
    return graph().factNodes[factId(first)].mutex[level].test(factId(second));
}

std::uint32_t actionId(const std::string& text) {
    for (std::uint32_t id = 0; id < graph().actionNodes.size(); ++id) {
        if (actionText(id) == text) return id;
    }
    ADD_FAILURE() << "no action node " << text;
    return 0;
}

bool actionsMutex(const std::string& first, const std::string& second, std::uint32_t level) {
    return graph().actionNodes[actionId(first)].mutex[level].test(actionId(second));
}

void loadCargo() {
    freshSession();
    loadFile(session(), testing::sourcePath("examples/rocket.pln"));
    buildLevelZero();
}

// Applies the layers in order, each layer's steps one after the other.
State stateAfterLayers(const ParPlan& plan) {
    State state = session().model.initState;
    for (const auto& layer : plan.layers) {
        for (const OperationInstance* step : layer) applyInstance(state, *step);
    }
    return state;
}

const std::vector<std::string> handDomain = {
    "type item",
    "atom item x1 x2 x3",
    "pred free()",
    "pred at(item:x)",
    "pred holding(item:x)",
    "pred done(item:x)",
    "op pick(item:x)",
    "pre pick free() at(x)",
    "add pick holding(x)",
    "del pick free() at(x)",
    "op drop(item:x)",
    "pre drop holding(x)",
    "add drop done(x) free()",
    "del drop holding(x)",
    "init free() at(x1) at(x2) at(x3)",
    "goal done(x1) done(x2) done(x3)",
    "buildInst",
};

// Three pigeons, two holes: no two goals are ever mutex, yet no plan exists.
std::vector<std::string> pigeonDomain(int chainLength) {
    std::vector<std::string> lines = {
        "type pigeon hole step",
        "atom pigeon p1 p2 p3",
        "atom hole h1 h2",
        "pred out(pigeon:p)",
        "pred free(hole:h)",
        "pred placed(pigeon:p)",
        "pred reached(step:s)",
        "pred next(step:s, step:t)",
        "op advance(step:s, step:t)",
        "pre advance reached(s) next(s,t)",
        "add advance reached(t)",
        "op put(pigeon:p, hole:h)",
        "pre put out(p) free(h) reached(s" + std::to_string(chainLength) + ")",
        "add put placed(p)",
        "del put out(p) free(h)",
    };
    std::string steps = "atom step";
    std::string init = "init out(p1) out(p2) out(p3) free(h1) free(h2) reached(s0)";
    for (int i = 0; i <= chainLength; ++i) steps += " s" + std::to_string(i);
    for (int i = 0; i < chainLength; ++i) init += " next(s" + std::to_string(i) + ",s" + std::to_string(i + 1) + ")";
    lines.insert(lines.begin() + 3, steps);
    lines.push_back(init);
    lines.push_back("goal placed(p1) placed(p2) placed(p3)");
    lines.push_back("buildInst");
    return lines;
}

TEST(PlanningGraph, LevelZeroAndTheFirstTwoExpansionsOfTheCargoExample) {
    loadCargo();
    EXPECT_EQ(graph().actionLevelEnd, (std::vector<std::uint32_t>{0, 0}));
    EXPECT_EQ(graph().factLevelEnd, (std::vector<std::uint32_t>{0, 3}));
    EXPECT_EQ(graph().pendingInstances.size(), session().instances.size());

    graph().expand(1);
    // Three no-ops, then fly there and both loads; the flight back and the
    // unloads lack a precondition.
    EXPECT_EQ(graph().actionLevelEnd, (std::vector<std::uint32_t>{0, 0, 6}));
    EXPECT_EQ(graph().factLevelEnd, (std::vector<std::uint32_t>{0, 3, 6}));
    EXPECT_EQ(actionText(0), "noop at(a,london)");
    EXPECT_EQ(actionText(3), "fly(r,london,paris)");
    EXPECT_EQ(actionText(5), "load(b,r,london)");
    EXPECT_EQ(factText(*graph().factNodes[3].fact), "rocketAt(r,paris)");
    EXPECT_EQ(factText(*graph().factNodes[4].fact), "inside(a,r)");
    EXPECT_TRUE(graph().changed);

    graph().expand(2);
    EXPECT_EQ(graph().actionLevelEnd, (std::vector<std::uint32_t>{0, 0, 6, 12}));
    EXPECT_EQ(graph().factLevelEnd, (std::vector<std::uint32_t>{0, 3, 6, 6}));
    // A fact new at level 1 gets its no-op at level 2, after its first adder.
    EXPECT_EQ(producerTexts("rocketAt(r,paris)"),
              (std::vector<std::string>{"fly(r,london,paris)", "noop rocketAt(r,paris)"}));
    EXPECT_EQ(producerTexts("rocketAt(r,london)"),
              (std::vector<std::string>{"noop rocketAt(r,london)", "fly(r,paris,london)"}));
    EXPECT_EQ(producerTexts("at(a,london)"), (std::vector<std::string>{"noop at(a,london)", "unload(a,r,london)"}));
    // Unloading at paris needs the rocket there and the cargo inside: mutex at level 1.
    EXPECT_TRUE(factsMutex("inside(a,r)", "rocketAt(r,paris)", 1));
    for (const OperationInstance* pending : graph().pendingInstances) {
        EXPECT_EQ(stepText(*pending).substr(0, 6), "unload");
    }
}

TEST(PlanningGraph, RowSizesAndSymmetry) {
    loadCargo();
    for (std::uint32_t level = 1; level <= 3; ++level) graph().expand(level);
    const auto levels = static_cast<std::uint32_t>(graph().deepestLevel());
    for (std::uint32_t a = 0; a < graph().actionNodes.size(); ++a) {
        const ActionNode& node = graph().actionNodes[a];
        EXPECT_EQ(node.mutex.size(), levels + 1);
        EXPECT_EQ(node.interference.size(), graph().actionLevelEnd[levels + 1] / 32 + 1);
        EXPECT_FALSE(node.interference.test(a));
        for (std::uint32_t b = 0; b < graph().actionNodes.size(); ++b) {
            EXPECT_EQ(node.interference.test(b), graph().actionNodes[b].interference.test(a));
            // An action deleting its own precondition is still never marked against itself.
            if (a != b) {
                EXPECT_EQ(node.interference.test(b), interferes(graph(), a, b)) << actionText(a) << " / " << actionText(b);
            }
        }
    }
    for (std::uint32_t f = 0; f < graph().factNodes.size(); ++f) {
        for (std::uint32_t level = 1; level <= levels; ++level) {
            if (graph().factNodes[f].mutex[level].size() == 0) continue;
            EXPECT_EQ(graph().factNodes[f].mutex[level].size(), graph().factLevelEnd[level + 1] / 32 + 1);
            for (std::uint32_t g = 0; g < graph().factLevelEnd[level + 1]; ++g) {
                EXPECT_EQ(graph().factNodes[f].mutex[level].test(g), graph().factNodes[g].mutex[level].test(f));
            }
        }
    }
}

TEST(Mutexes, NoOpAgainstADeleterAndLevelOneMutexesAreExactlyInterference) {
    loadCargo();
    graph().expand(1);
    graph().expand(2);
    // Flying away deletes the fact the no-op keeps: at every level.
    EXPECT_TRUE(interferes(graph(), actionId("noop rocketAt(r,london)"), actionId("fly(r,london,paris)")));
    EXPECT_TRUE(actionsMutex("noop rocketAt(r,london)", "fly(r,london,paris)", 1));
    EXPECT_TRUE(actionsMutex("noop rocketAt(r,london)", "fly(r,london,paris)", 2));
    EXPECT_FALSE(interferes(graph(), actionId("noop at(a,london)"), actionId("noop at(b,london)")));
    for (std::uint32_t a = 0; a < graph().actionLevelEnd[2]; ++a) {
        for (std::uint32_t b = 0; b < graph().actionLevelEnd[2]; ++b) {
            EXPECT_EQ(graph().actionNodes[a].mutex[1].test(b), graph().actionNodes[a].interference.test(b));
        }
    }
}

TEST(Mutexes, CompetingNeedsAppearAndVanishAndACommonProducerIsNeverMutex) {
    freshSession();
    runLines({"type t", "atom t o", "pred s(t:x)", "pred p(t:x)", "pred q(t:x)", "pred a(t:x)", "pred b(t:x)",
              "pred c(t:x)", "pred d(t:x)", "op makeP(t:x)", "pre makeP s(x)", "add makeP p(x)", "del makeP s(x)",
              "op makeQ(t:x)", "pre makeQ s(x)", "add makeQ q(x)", "op useP(t:x)", "pre useP p(x)", "add useP a(x)",
              "op useQ(t:x)", "pre useQ q(x)", "add useQ b(x)", "op both(t:x)", "pre both s(x)",
              "add both c(x) d(x)", "init s(o)", "buildInst"});
    buildLevelZero();
    graph().expand(1);
    EXPECT_TRUE(factsMutex("p(o)", "q(o)", 1));
    EXPECT_FALSE(factsMutex("c(o)", "d(o)", 1));
    graph().expand(2);
    // useP and useQ only compete through p and q, mutex one level down.
    EXPECT_FALSE(interferes(graph(), actionId("useP(o)"), actionId("useQ(o)")));
    EXPECT_TRUE(actionsMutex("useP(o)", "useQ(o)", 2));
    EXPECT_FALSE(factsMutex("p(o)", "q(o)", 2));
    EXPECT_TRUE(graph().changed);
    graph().expand(3);
    EXPECT_FALSE(actionsMutex("useP(o)", "useQ(o)", 3));
    for (std::uint32_t level = 1; level <= 3; ++level) EXPECT_FALSE(factsMutex("c(o)", "d(o)", level));
}

TEST(PlanningGraph, LevelsOffAndThenStaysPut) {
    freshSession();
    runLines(handDomain);
    buildLevelZero();
    std::uint32_t level = 1;
    while (graph().changed && level < 50) graph().expand(level++);
    ASSERT_FALSE(graph().changed);
    const auto actions = graph().actionLevelEnd;
    const auto facts = graph().factLevelEnd;
    const std::size_t nodes = graph().actionNodes.size();
    graph().expand(level);
    EXPECT_EQ(graph().actionLevelEnd, actions);
    EXPECT_EQ(graph().factLevelEnd, facts);
    EXPECT_EQ(graph().actionNodes.size(), nodes);
}

TEST(PlanningGraph, AnInstanceWithAnAbsentPreconditionStaysPending) {
    freshSession();
    runLines({"type t", "atom t o", "pred s(t:x)", "pred never(t:x)", "pred g(t:x)", "op stuck(t:x)",
              "pre stuck never(x)", "add stuck g(x)", "op free(t:x)", "add free s(x)", "init", "buildInst"});
    buildLevelZero();
    EXPECT_EQ(graph().factLevelEnd, (std::vector<std::uint32_t>{0, 0}));
    for (std::uint32_t level = 1; level <= 3; ++level) graph().expand(level);
    ASSERT_EQ(graph().pendingInstances.size(), 1u);
    EXPECT_EQ(stepText(*graph().pendingInstances.front()), "stuck(o)");
    EXPECT_EQ(actionText(0), "free(o)");
}

class GraphplanSolve : public ::testing::Test {
protected:
    void SetUp() override { freshSession(); }
    std::string logText() const { return session().log.text(); }
};

TEST_F(GraphplanSolve, CargoExamplePlanAndCounters) {
    loadFile(session(), testing::sourcePath("examples/rocket.pln"));
    session().log.clear();
    executeLine(session(), "solve graph");
    ASSERT_TRUE(testing::lastPlanIsCurrent());
    EXPECT_EQ(session().currentPlan->toString(),
              "1: load(a,r,london), load(b,r,london)\n"
              "2: fly(r,london,paris)\n"
              "3: unload(a,r,paris), unload(b,r,paris)\n");
    // Goals appear at level 3 only; the search then succeeds straight down:
    // one call per level 3, 2, 1, 0 and nothing memoised.
    EXPECT_NE(logText().find("Graph (d3): "), std::string::npos) << logText();
    EXPECT_NE(logText().find("(4 recs, hash entries/hits 0/0)\n"), std::string::npos) << logText();
    EXPECT_EQ(session().lastSolve->statisticsAs<GraphplanStatistics>().recursions, 4);
}

TEST_F(GraphplanSolve, GoalInsideTheInitialStateGivesOneEmptyLayer) {
    runLines({"type t", "atom t o", "pred s(t:x)", "op keep(t:x)", "pre keep s(x)", "add keep s(x)", "init s(o)",
              "goal s(o)", "buildInst", "solve graph"});
    ASSERT_TRUE(testing::lastPlanIsCurrent());
    ASSERT_EQ(testing::lastLayeredPlan().layers.size(), 1u);
    EXPECT_TRUE(testing::lastLayeredPlan().layers[0].empty());
    EXPECT_NE(logText().find("Graph (d1): "), std::string::npos) << logText();
}

TEST_F(GraphplanSolve, EmptyGoalAndPreconditionFreeActionsGiveEmptyLowerLayers) {
    runLines({"type t", "atom t o", "pred g(t:x)", "op make(t:x)", "add make g(x)", "init", "goal g(o)",
              "buildInst", "solve graph"});
    ASSERT_TRUE(testing::lastPlanIsCurrent());
    EXPECT_EQ(session().currentPlan->toString(), "1: make(o)\n");
    runLines({"goal", "solve graph"});
    ASSERT_TRUE(testing::lastPlanIsCurrent());
    EXPECT_EQ(testing::lastLayeredPlan().layers.size(), 1u);
}

TEST_F(GraphplanSolve, UnproducibleAndForeverMutexGoalsEndWithoutMemo) {
    runLines({"type t", "atom t o", "pred s(t:x)", "pred g(t:x)", "op keep(t:x)", "pre keep s(x)",
              "add keep s(x)", "init s(o)", "goal g(o)", "buildInst", "solve graph"});
    EXPECT_EQ(session().currentPlan, nullptr);
    EXPECT_NE(logText().find("hash entries/hits 0/0)"), std::string::npos) << logText();
    EXPECT_NE(logText().find("Solution not found"), std::string::npos);

    freshSession();
    runLines({"type t", "atom t o", "pred on(t:x)", "pred off(t:x)", "op turnOn(t:x)", "pre turnOn off(x)",
              "add turnOn on(x)", "del turnOn off(x)", "op turnOff(t:x)", "pre turnOff on(x)", "add turnOff off(x)",
              "del turnOff on(x)", "init off(o)", "goal on(o) off(o)", "buildInst", "solve graph"});
    EXPECT_EQ(session().currentPlan, nullptr);
    EXPECT_NE(logText().find("(0 recs, hash entries/hits 0/0)"), std::string::npos) << logText();
}

TEST_F(GraphplanSolve, UnsolvableBeyondPairwiseMutexesEnds) {
    for (int chain : {0, 6}) {
        SCOPED_TRACE(chain);
        freshSession();
        runLines(pigeonDomain(chain));
        executeLine(session(), "solve graph");
        EXPECT_EQ(session().currentPlan, nullptr);
        EXPECT_NE(logText().find("Solution not found"), std::string::npos) << logText();
        EXPECT_GT(session().lastSolve->statisticsAs<GraphplanStatistics>().memoEntries, 0u);
    }
}

TEST_F(GraphplanSolve, PlanLongerThanTheLevelOffDepthUsesTheLastLevelAgain) {
    runLines(handDomain);
    executeLine(session(), "solve graph");
    ASSERT_TRUE(testing::lastPlanIsCurrent());
    const ParPlan& plan = testing::lastLayeredPlan();
    EXPECT_EQ(plan.layers.size(), 6u);
    EXPECT_LT(session().graph->deepestLevel(), 6);
    EXPECT_TRUE(goalsHold(stateAfterLayers(plan), session().model.goalState));
    EXPECT_NE(logText().find("Graph (d6): "), std::string::npos) << logText();
}

TEST_F(GraphplanSolve, RebuildingInstancesOrWipingClearsTheGraph) {
    loadFile(session(), testing::sourcePath("examples/rocket.pln"));
    ASSERT_NE(session().graph, nullptr);
    ASSERT_FALSE(session().graph->actionNodes.empty());
    executeLine(session(), "buildInst");
    EXPECT_EQ(session().graph, nullptr);
    executeLine(session(), "solve graph");
    ASSERT_NE(session().graph, nullptr);
    ASSERT_FALSE(session().graph->actionNodes.empty());
    executeLine(session(), "wipe");
    EXPECT_EQ(session().graph, nullptr);
    // The memo went with the last solve's result.
    EXPECT_EQ(session().lastSolve, nullptr);
}

// The search the fault was seen on: stopping at the first stage that adds no
// memo key answers "no plan" at level 9; the plan needs 11 levels.
TEST_F(GraphplanSolve, GripperProblemsAreSolvedWithPlansThatReachTheGoal) {
    for (const char* problem : {"gripper-prob02", "gripper-prob03", "gripper-prob04"}) {
        SCOPED_TRACE(problem);
        freshSession();
        loadFile(session(), testing::sourcePath(std::string("tests/data/domains/") + problem + ".pln"));
        session().log.clear();
        executeLine(session(), "solve graph");
        ASSERT_TRUE(testing::lastPlanIsCurrent()) << logText();
        EXPECT_TRUE(goalsHold(stateAfterLayers(testing::lastLayeredPlan()), session().model.goalState));
        if (std::string(problem) == "gripper-prob02") {
            EXPECT_EQ(testing::lastLayeredPlan().layers.size(), 11u);
            EXPECT_NE(logText().find("Graph (d11): "), std::string::npos) << logText();
            EXPECT_GT(session().lastSolve->statisticsAs<GraphplanStatistics>().memoHits, 0);
        }
    }
}

TEST_F(GraphplanSolve, EveryExampleIsSolvedAndItsLayersReachTheGoal) {
    for (const char* example : {"rocket", "blocks", "gripper", "logistics"}) {
        SCOPED_TRACE(example);
        freshSession();
        loadFile(session(), testing::sourcePath(std::string("examples/") + example + ".pln"));
        executeLine(session(), "solve graph");
        ASSERT_TRUE(testing::lastPlanIsCurrent());
        EXPECT_TRUE(goalsHold(stateAfterLayers(testing::lastLayeredPlan()), session().model.goalState));
    }
}

// The memo's index must answer exactly as a scan over every entry would.
TEST(NoGoodMemo, AgreesWithAScanOverAllEntries) {
    std::mt19937 random(7);
    NoGoodMemo memo;
    std::map<BitRow, std::int32_t, BitRowKeyOrder> reference;
    auto randomRow = [&](std::size_t words, int bits, std::size_t span) {
        BitRow row(words);
        for (int i = 0; i < bits; ++i) row.set(random() % std::min(span, words * 32));
        return row;
    };
    std::vector<BitRow> recorded;
    int trieHits = 0;
    for (int round = 0; round < 2000; ++round) {
        const std::size_t words = 1 + random() % 3;
        // Half the keys crowd into a few bits, so that many share prefixes
        // and paths split; bits 64 apart fold onto one position.
        const std::size_t span = round % 2 ? 12 : 96;
        BitRow key = randomRow(words, 1 + random() % 6, span);
        if (round > 1900 && random() % 20 == 0) key = BitRow(words);
        const auto level = static_cast<std::int32_t>(random() % 8);
        const auto found = reference.find(key);
        // Levels only rise, as in the search.
        const std::int32_t stored = found == reference.end() ? level : std::max(found->second, level);
        reference[key] = stored;
        memo.record(key.words, stored);
        recorded.push_back(key);

        // A random row, and rows around an earlier key: with bits added, and
        // with one of its bits taken away.
        for (int kind = 0; kind < 3; ++kind) {
            BitRow row = randomRow(1 + random() % 3, 2 + random() % 30, round % 3 ? 96 : 16);
            if (kind > 0) {
                const BitRow& earlier = recorded[random() % recorded.size()];
                row.grow(earlier.size());
                for (std::size_t word = 0; word < earlier.size(); ++word) row.words[word] |= earlier.words[word];
                if (kind == 2) {
                    std::vector<std::uint32_t> bits;
                    for (std::uint32_t bit = 0; bit < earlier.size() * 32; ++bit) {
                        if (earlier.test(bit)) bits.push_back(bit);
                    }
                    if (!bits.empty()) {
                        const std::uint32_t dropped = bits[random() % bits.size()];
                        row.words[dropped >> 5] &= ~(1u << (dropped & 31u));
                    }
                }
            }
            const auto asked = static_cast<std::int32_t>(random() % 8);
            bool expected = false;
            bool exact = false;
            for (const auto& [entry, entryLevel] : reference) {
                if (entryLevel >= asked && entry.isSubsetOf(row.words)) {
                    expected = true;
                    if (entry.isSubsetOf(row.words) && row.isSubsetOf(entry.words)) exact = true;
                }
            }
            trieHits += expected && !exact;
            ASSERT_EQ(memo.prunes(row.words, asked), expected) << "round " << round << " kind " << kind;
        }
    }
    // Most answers must have come from the tree, not from an exact key.
    EXPECT_GT(trieHits, 1000);
    EXPECT_EQ(memo.size(), reference.size());
    const auto listed = memo.entries();
    ASSERT_EQ(listed.size(), reference.size());
    auto position = listed.begin();
    for (const auto& [entry, entryLevel] : reference) {
        ASSERT_EQ(position->first, entry);
        EXPECT_EQ(position->second, entryLevel);
        ++position;
    }
}

TEST(BitRows, KeyOrderAndSubsetWithLongerKeys) {
    BitRowKeyOrder less;
    BitRow shortRow(1), longRow(2);
    shortRow.set(31);
    longRow.set(0);
    EXPECT_TRUE(less(shortRow, longRow));  // fewer words first, whatever the bits
    BitRow high(1), low(1);
    high.set(31);
    low.set(0);
    EXPECT_TRUE(less(low, high));  // unsigned comparison of word 0
    // A longer key lies inside a shorter row only when its extra words are zero.
    BitRow key(2);
    key.set(3);
    BitRow row(1);
    row.set(3);
    EXPECT_TRUE(key.isSubsetOf(row.words));
    key.set(40);
    EXPECT_FALSE(key.isSubsetOf(row.words));
}

}  // namespace
}  // namespace vexmolda

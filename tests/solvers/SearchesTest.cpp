#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "command/Execute.h"
#include "command/LoadFile.h"
#include "command/LongJob.h"
#include "command/Session.h"
#include "pddl/PddlLoader.h"
#include "solvers/AStar.h"
#include "solvers/SearchStatistics.h"
#include "solvers/StateOperations.h"
#include "support/RandomDomain.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::session;

const std::vector<std::string> searchLines = {"solve greedy", "solve wastar", "solve wastar 1", "solve ehc"};

// The current plan, replayed from the initial state, applies step by step and meets the goal.
::testing::AssertionResult currentPlanReachesTheGoal() {
    if (session().currentPlan == nullptr) return ::testing::AssertionFailure() << "no plan";
    State reached = session().model.initState;
    std::size_t step = 0;
    for (const OperationInstance* instance : session().currentPlan->steps) {
        if (!goalsHold(reached, instance->pre())) return ::testing::AssertionFailure() << "step " << step << " cannot apply";
        applyInstance(reached, *instance);
        ++step;
    }
    if (!goalsHold(reached, session().model.goalState)) return ::testing::AssertionFailure() << "goal not met";
    return ::testing::AssertionSuccess();
}

std::vector<std::pair<std::string, std::string>> standardTasks() {
    std::vector<std::pair<std::string, std::string>> tasks;
    for (const auto& entry : std::filesystem::directory_iterator(testing::sourcePath("examples"))) {
        if (entry.path().extension() == ".pln") tasks.push_back({entry.path().string(), ""});
    }
    std::sort(tasks.begin(), tasks.end());
    const std::string pddl = testing::sourcePath("tests/data/pddl/");
    for (const char* problem : {"blocks/probBLOCKS-4-0.pddl", "gripper/prob01.pddl", "logistics00/probLOGISTICS-4-0.pddl"}) {
        const std::string folder = std::string(problem).substr(0, std::string(problem).find('/'));
        tasks.push_back({pddl + folder + "/domain.pddl", pddl + problem});
    }
    return tasks;
}

TEST(Searches, EveryHeuristicSearchSolvesTheStandardProblemsWithAPlanThatReplays) {
    const auto tasks = standardTasks();
    ASSERT_GE(tasks.size(), 7u);
    for (const auto& [file, problem] : tasks) {
        for (const char* heuristic : {"default", "lmcount", "hadd"}) {
            for (const std::string& line : searchLines) {
                SCOPED_TRACE(file + " " + heuristic + " " + line);
                testing::freshSession();
                if (problem.empty()) {
                    loadFile(session(), file);
                } else {
                    ASSERT_TRUE(loadPddl(session(), file, problem));
                }
                executeLine(session(), std::string("heuristic ") + heuristic);
                executeLine(session(), line);
                ASSERT_TRUE(session().lastSolve && session().lastSolve->found) << session().messages.text();
                EXPECT_TRUE(currentPlanReachesTheGoal());
                const auto& counters =
                    dynamic_cast<const HeuristicSearchStatistics&>(*session().lastSolve->statistics).counters;
                EXPECT_EQ(counters.heuristic, std::string(heuristic) == "default" ? "ff" : heuristic);
                EXPECT_NE(session().log.text().find("Heuristic " + counters.heuristic + "\n"), std::string::npos);
                EXPECT_GE(counters.states, session().currentPlan->steps.size());
            }
        }
    }
}

// Breadth-first search over the grounded task: the length of a shortest plan, or -1.
int shortestPlanLength() {
    std::vector<State> layer{session().model.initState};
    std::vector<State> seen = layer;
    for (int length = 0; !layer.empty(); ++length) {
        std::vector<State> next;
        for (const State& state : layer) {
            if (goalsHold(state, session().model.goalState)) return length;
            for (const auto& instance : session().instances) {
                if (!goalsHold(state, instance->pre())) continue;
                State child = state;
                applyInstance(child, *instance);
                if (std::find(seen.begin(), seen.end(), child) != seen.end()) continue;
                seen.push_back(child);
                next.push_back(child);
            }
        }
        layer.swap(next);
    }
    return -1;
}

TEST(Searches, OptimalWithHmaxAndCompleteOnRandomSmallTasks) {
    std::uint32_t seed = 77;
    int solvable = 0;
    for (int domain = 0; domain < 200; ++domain) {
        SCOPED_TRACE("domain " + std::to_string(domain));
        testing::freshSession();
        testing::runLines(testing::randomDomain(seed, {6, 8, 25, 30, 25, 30, 40}));
        const int shortest = shortestPlanLength();
        solvable += shortest > 0;
        const std::vector<std::pair<std::string, std::string>> runs = {
            {"hmax", "solve wastar 1"}, {"hmax", "solve a*"}, {"default", "solve greedy"},
            {"lmcount", "solve greedy"}, {"default", "solve ehc"}, {"goalcount", "solve ehc"}};
        for (const auto& [heuristic, line] : runs) {
            SCOPED_TRACE(heuristic + " " + line);
            testing::runLines({"heuristic " + heuristic, line});
            if (shortest < 0) {
                EXPECT_FALSE(session().lastSolve->found);
                continue;
            }
            if (shortest == 0) continue;  // "a*" shows no plan when the initial state meets the goal
            ASSERT_TRUE(session().lastSolve->found);
            ASSERT_TRUE(currentPlanReachesTheGoal()) << session().log.text();
            if (heuristic == "hmax") EXPECT_EQ(static_cast<int>(session().currentPlan->steps.size()), shortest);
        }
    }
    EXPECT_GE(solvable, 40);
}

TEST(Searches, TheHeuristicSettingIsShownChangedRefusedAndResetByWipe) {
    testing::freshSession();
    testing::runLines({"heuristic"});
    EXPECT_EQ(testing::messageText(), "Heuristic default\n");
    testing::runLines({"heuristic lmcount", "heuristic", "heuristic sideways", "heuristic"});
    EXPECT_EQ(testing::messageText(),
              "Heuristic default\nHeuristic lmcount\n"
              "Unknown heuristic \"sideways\": one of default, ff, goalcount, hadd, hmax, lmcount\n"
              "Heuristic lmcount\n");
    EXPECT_EQ(session().heuristic, "lmcount");
    // A load in the window builds a new session beside the old one: the setting goes along, as the switches do.
    EXPECT_EQ(scratchSessionFor(session())->heuristic, "lmcount");
    testing::runLines({"wipe"});
    EXPECT_EQ(session().heuristic, "");

    // "a*" with its own count keeps its log and counters; with a chosen heuristic both name it.
    loadFile(session(), testing::sourcePath("examples/logistics.pln"));
    executeLine(session(), "solve a*");
    EXPECT_EQ(session().log.text().find("Heuristic"), std::string::npos);
    EXPECT_TRUE(session().lastSolve->statisticsAs<AStarStatistics>().withHeuristic.heuristic.empty());
    const std::size_t ownFields = session().lastSolve->statistics->fields().size();
    executeLine(session(), "heuristic hmax");
    executeLine(session(), "solve a*");
    EXPECT_TRUE(currentPlanReachesTheGoal());
    EXPECT_EQ(session().log.text().find("Heuristic hmax\n"), 0u);
    EXPECT_EQ(session().lastSolve->statistics->fields().size(), ownFields + 4);
}

}  // namespace
}  // namespace vexmolda

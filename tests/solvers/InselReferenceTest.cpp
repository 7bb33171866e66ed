#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "command/LoadFile.h"
#include "command/Session.h"
#include "domain/State.h"
#include "grounding/InstanceText.h"
#include "solvers/Insel.h"
#include "solvers/InselOL.h"
#include "solvers/InselPL.h"
#include "solvers/InselRand.h"
#include "solvers/IslandRandom.h"
#include "solvers/StateOperations.h"
#include "support/RandomDomain.h"
#include "support/Session.h"
#include "tests/solvers/InselTestDomains.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::runLines;
using testing::session;

// The four island solvers written the literal way: native recursion, full
// copies of the plan and the state, no loop detection. A guard on the plan
// length and on the picks stops the runs that would never end or take hours. Where a literal run ends, the
// solvers must give the very same result, plan, trace and current plan.
class LiteralIsland {
public:
    explicit LiteralIsland(std::size_t guard) : guard(guard) {}

    bool insel(State& state, FactSpan goals, int depth) {
        if (depth > 100) return false;
        while (!goalsHold(state, goals)) {
            if (tooLong()) return false;
            trying(goals);
            OperationInstance* picked = nullptr;
            for (const auto& instance : session().instances) {
                for (const Fact* fact : instance->add()) {
                    if (!picked && goals.contains(fact) && !state.contains(fact)) picked = instance;
                }
            }
            if (!picked) return false;
            pickedEntry(*picked);
            if (!insel(state, picked->pre(), depth + 1)) return false;
            applyAndAppend(state, *picked);
        }
        current = true;
        return true;
    }

    bool ol(State& state, FactSpan goals, int limit, int depth) {
        if (uses.empty()) uses.assign(session().instances.size(), 0);
        while (!goalsHold(state, goals)) {
            if (tooLong()) return false;
            trying(goals);
            OperationInstance* chosen = nullptr;
            for (OperationInstance* candidate : candidates(state, goals)) {
                long long& count = uses[static_cast<std::size_t>(candidate->id)];
                const long long before = count;
                count = count + 1;
                if (before > limit) continue;
                pickedEntry(*candidate);
                if (depth + 1 <= 300 && ol(state, candidate->pre(), limit, depth + 1)) {
                    chosen = candidate;
                    break;
                }
                if (diverged) return false;
                count = count - 1;
            }
            if (!chosen) return false;
            applyAndAppend(state, *chosen);
        }
        current = true;
        return true;
    }

    bool pl(State& state, FactSpan goals, int limit, long long budget) {
        if (goalsHold(state, goals)) {
            current = true;
            return true;
        }
        for (;;) {
            budget = budget + 1;
            if (budget > limit) return false;
            if (tooLong()) return false;
            trying(goals);
            const std::vector<OperationInstance*> list = candidates(state, goals);
            const std::vector<OperationInstance*> savedSteps = steps;
            const State savedState = state;
            OperationInstance* chosen = nullptr;
            for (OperationInstance* candidate : list) {
                pickedEntry(*candidate);
                if (pl(state, candidate->pre(), limit, budget + 1)) {
                    chosen = candidate;
                    break;
                }
                if (diverged) return false;
                if (steps.size() != savedSteps.size()) {
                    steps = savedSteps;
                    state = savedState;
                }
            }
            if (!chosen) return false;
            applyAndAppend(state, *chosen);
            if (goalsHold(state, goals)) {
                current = true;
                return true;
            }
        }
    }

    bool random(State& state, FactSpan goals, int depth, IslandRandom& generator) {
        if (depth > 300) return false;
        while (!goalsHold(state, goals)) {
            if (tooLong()) return false;
            trying(goals);
            const std::vector<OperationInstance*> list = candidates(state, goals);
            if (list.empty()) return false;
            OperationInstance* picked = list[static_cast<std::size_t>(generator.next()) % list.size()];
            pickedEntry(*picked);
            if (!random(state, picked->pre(), depth + 1, generator)) return false;
            applyAndAppend(state, *picked);
        }
        current = true;
        return true;
    }

    std::vector<OperationInstance*> steps;
    std::string trace;
    bool current = false;
    bool diverged = false;

private:
    static std::vector<OperationInstance*> candidates(const State& state, FactSpan goals) {
        std::vector<OperationInstance*> list;
        for (const auto& instance : session().instances) {
            for (const Fact* fact : instance->add()) {
                if (goals.contains(fact) && !state.contains(fact)) list.push_back(instance);
            }
        }
        return list;
    }
    bool tooLong() {
        if (steps.size() > guard) diverged = true;
        return diverged;
    }
    void trying(FactSpan goals) { trace += "\nTrying to achieve: " + stateText(goals); }
    void pickedEntry(const OperationInstance& instance) {
        if (++picks > guard * 10) diverged = true;
        trace += "Picked: " + signatureText(instance);
    }
    void applyAndAppend(State& state, OperationInstance& instance) {
        applyInstance(state, instance);
        steps.push_back(&instance);
        trace += "New State: " + stateText(state);
    }

    std::size_t guard;
    std::size_t picks = 0;
    std::vector<long long> uses;
};

constexpr std::size_t literalGuard = 3000;

struct Tally {
    int ended = 0;
    int looped = 0;
};

// Runs the solver and the literal version and compares what can be compared.
template <class Literal>
void compare(Solver& solver, const Plan& plan, std::int32_t limit, Literal literalRun, Tally& tally,
             bool loopsFailAsAPrefix) {
    const SolveResult run = testing::solveDirectly(solver, limit);
    const bool found = run.found;
    LiteralIsland literal(literalGuard);
    State working = session().model.initState;
    const bool literalFound = literalRun(literal, working);
    if (literal.diverged) {
        ++tally.looped;
        if (!loopsFailAsAPrefix) return;
        // The solver stopped the loop: the same steps and trace up to there.
        EXPECT_FALSE(found);
        ASSERT_LE(plan.steps.size(), literal.steps.size());
        EXPECT_TRUE(std::equal(plan.steps.begin(), plan.steps.end(), literal.steps.begin()));
        EXPECT_EQ(literal.trace.rfind(run.log.text(), 0), 0u);
        return;
    }
    ++tally.ended;
    EXPECT_EQ(found, literalFound);
    EXPECT_EQ(plan.steps, literal.steps);
    EXPECT_EQ(run.log.text(), literal.trace);
    EXPECT_EQ(run.planShown, literal.current);
}

void compareAllSolvers(Tally& tally) {
    const State& goalState = session().model.goalState;
    SCOPED_TRACE("insel");
    insel plainSolver;
    compare(plainSolver, plainSolver.plan, 0,
            [&](LiteralIsland& l, State& s) { return l.insel(s, goalState, 0); }, tally, true);
    inselOL olSolver;
    for (std::int32_t limit : {0, 1, 3}) {
        SCOPED_TRACE("inselol " + std::to_string(limit));
        compare(olSolver, olSolver.plan, limit,
                [&, limit](LiteralIsland& l, State& s) { return l.ol(s, goalState, limit, 0); }, tally, false);
    }
    inselPL plSolver;
    for (std::int32_t limit : {0, 3, 9}) {
        SCOPED_TRACE("inselpl " + std::to_string(limit));
        compare(plSolver, plSolver.plan, limit,
                [&, limit](LiteralIsland& l, State& s) { return l.pl(s, goalState, limit, 0); }, tally, false);
    }
    SCOPED_TRACE("inselrand");
    IslandRandom generator = session().random;
    inselRand randSolver;
    compare(randSolver, randSolver.plan, 0,
            [&](LiteralIsland& l, State& s) { return l.random(s, goalState, 0, generator); }, tally, false);
}

TEST(IslandReference, ExampleAndStandardDomainsMatchTheLiteralSolvers) {
    std::vector<std::string> files;
    for (const char* folder : {"examples", "tests/data/domains"}) {
        for (const auto& entry : std::filesystem::directory_iterator(testing::sourcePath(folder))) {
            if (entry.path().extension() == ".pln") files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    Tally tally;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        freshSession();
        loadFile(session(), file);
        compareAllSolvers(tally);
    }
    EXPECT_GE(tally.ended, static_cast<int>(files.size()) * 6);
}

// Zero-argument operations over a handful of facts.
constexpr testing::RandomDomainShape randomShape{6, 6, 25, 30, 20, 30, 35};

TEST(IslandReference, RandomSmallDomainsMatchTheLiteralSolvers) {
    std::uint32_t seed = 2024;
    Tally tally;
    for (int domain = 0; domain < 300; ++domain) {
        const auto lines = testing::randomDomain(seed, randomShape);
        SCOPED_TRACE("domain " + std::to_string(domain));
        freshSession();
        runLines(lines);
        compareAllSolvers(tally);
        if (::testing::Test::HasFailure()) break;
    }
    // Both kinds of run occur: ended ones compared whole, loops compared as prefixes.
    EXPECT_GT(tally.ended, 1000);
    EXPECT_GT(tally.looped, 0);
}

TEST(IslandReference, TestDomainsMatchTheLiteralSolvers) {
    Tally tally;
    for (const auto& lines : {testing::undoingPairDomain(), testing::preconditionCycleDomain(),
                              testing::unreachableFirstAdderDomain(), testing::doubleAdderDomain(),
                              testing::failedAttemptDomain(), testing::reuseDomain(), testing::chainDomain(5)}) {
        freshSession();
        runLines(lines);
        compareAllSolvers(tally);
    }
    EXPECT_GT(tally.ended, 40);
}

}  // namespace
}  // namespace vexmolda

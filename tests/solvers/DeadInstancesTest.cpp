#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "command/Session.h"
#include "solvers/AStar.h"
#include "solvers/DeadInstances.h"
#include "solvers/Graphplan.h"
#include "support/RandomDomain.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::runLines;
using testing::session;

// The lines without the named operations (zero-argument, one instance each).
std::vector<std::string> withoutOperations(const std::vector<std::string>& lines, const std::set<std::string>& names) {
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
        const auto space = line.find(' ');
        const std::string word = line.substr(0, space);
        if (word == "op" || word == "pre" || word == "add" || word == "del") {
            std::string name = line.substr(space + 1);
            name = name.substr(0, name.find_first_of(" ("));
            if (names.count(name) != 0) continue;
        }
        kept.push_back(line);
    }
    return kept;
}

// Names of the session's instances that can never apply.
std::set<std::string> deadNames() {
    const std::vector<bool> live =
        liveInstances(session().instances, session().model.initState, session().model.facts.size());
    std::set<std::string> names;
    for (std::size_t id = 0; id < live.size(); ++id) {
        if (!live[id]) names.insert(session().instances[id]->name());
    }
    return names;
}

template <class Statistics>
struct Outcome {
    bool found;
    std::string plan;
    Statistics statistics;
};

template <class SolverType>
auto run(SolverType& solver) {
    SolveResult result = testing::solveDirectly(solver, 0);
    std::unique_ptr<Plan> plan = solver.takePlan();
    return Outcome<decltype(solver.counts)>{result.found, plan->toString(), solver.counts};
}

// A search over a domain full of dead instances behaves exactly as over the
// same domain with those operations left out: the dead ones, never applicable,
// are what the searches skip, and nothing else.
TEST(DeadInstances, RandomDomainsSearchAsIfTheDeadOperationsWereAbsent) {
    constexpr testing::RandomDomainShape shape{14, 14, 24, 10, 25, 35, 8};
    std::uint32_t seed = 4242;
    std::size_t instances = 0;
    std::size_t dead = 0;
    int found = 0;
    for (int domain = 0; domain < 600; ++domain) {
        SCOPED_TRACE("domain " + std::to_string(domain));
        const std::vector<std::string> lines = testing::randomDomain(seed, shape);
        freshSession();
        runLines(lines);
        instances += session().instances.size();
        std::set<std::string> removed = deadNames();
        dead += removed.size();
        aStar fullSearch;
        const auto full = run(fullSearch);
        Graphplan fullGraph;
        const auto fullLayers = run(fullGraph);

        // Leaving operations out can make more dead; repeat until none is.
        for (std::size_t before = 0; before != removed.size();) {
            before = removed.size();
            freshSession();
            runLines(withoutOperations(lines, removed));
            const std::set<std::string> more = deadNames();
            removed.insert(more.begin(), more.end());
        }
        aStar reducedSearch;
        const auto reduced = run(reducedSearch);
        Graphplan reducedGraph;
        const auto reducedLayers = run(reducedGraph);

        EXPECT_EQ(full.found, reduced.found);
        EXPECT_EQ(full.plan, reduced.plan);
        EXPECT_EQ(full.statistics.expanded, reduced.statistics.expanded);
        EXPECT_EQ(full.statistics.generated, reduced.statistics.generated);
        EXPECT_EQ(full.statistics.statesStored, reduced.statistics.statesStored);
        EXPECT_EQ(fullLayers.found, reducedLayers.found);
        EXPECT_EQ(fullLayers.plan, reducedLayers.plan);
        EXPECT_EQ(fullLayers.statistics.levels, reducedLayers.statistics.levels);
        EXPECT_EQ(fullLayers.statistics.recursions, reducedLayers.statistics.recursions);
        EXPECT_EQ(fullLayers.statistics.memoEntries, reducedLayers.statistics.memoEntries);
        EXPECT_EQ(fullLayers.statistics.memoHits, reducedLayers.statistics.memoHits);
        if (full.found && !full.plan.empty()) ++found;
        if (::testing::Test::HasFailure()) break;
    }
    // Most instances are dead, and enough runs find a plan to compare.
    EXPECT_GT(dead * 2, instances);
    EXPECT_GT(found, 20) << dead << " of " << instances;
}

}  // namespace
}  // namespace vexmolda

// The island solvers on generated families, with logging on and off.
#include <benchmark/benchmark.h>

#include "ProblemFamilies.h"
#include "command/Switches.h"
#include "command/TextBuffer.h"
#include "domain/State.h"
#include "solvers/Insel.h"
#include "solvers/InselOL.h"
#include "solvers/InselPL.h"
#include "solvers/InselRand.h"

namespace vexmolda::bench {
namespace {

// Runs the solver on one family member; range(1) switches the log on.
template <class IslandSolver>
void islandFamily(benchmark::State& state, IslandSolver& (*solver)(), std::string (*family)(int),
                  std::int32_t limit) {
    loadProblemText(family(static_cast<int>(state.range(0))));
    logging() = state.range(1) != 0;
    bool found = false;
    for (auto _ : state) {
        log.clear();
        found = solver().solve(initState, goalState, limit);
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = found ? 1 : 0;
    state.counters["planLength"] = static_cast<double>(solver().plan.steps.size());
    state.counters["logEntries"] = static_cast<double>(log.lines.size());
    logging() = true;
}

void inselGripper(benchmark::State& state) { islandFamily(state, inselSolver, gripperProblem, 0); }
void inselLogistics(benchmark::State& state) { islandFamily(state, inselSolver, logisticsProblem, 0); }
void inselOLGripper(benchmark::State& state) { islandFamily(state, inselOLSolver, gripperProblem, 2); }
void inselPLGripper(benchmark::State& state) { islandFamily(state, inselPLSolver, gripperProblem, 40); }
void inselPLLogistics(benchmark::State& state) { islandFamily(state, inselPLSolver, logisticsProblem, 40); }
void inselRandBlocks(benchmark::State& state) { islandFamily(state, inselRandSolver, blocksProblem, 0); }

BENCHMARK(inselGripper)->ArgsProduct({{4, 16, 64}, {0, 1}});
BENCHMARK(inselLogistics)->ArgsProduct({{2, 8, 32}, {0, 1}});
BENCHMARK(inselOLGripper)->ArgsProduct({{4, 16}, {0, 1}});
BENCHMARK(inselPLGripper)->ArgsProduct({{4, 16}, {0, 1}});
BENCHMARK(inselPLLogistics)->ArgsProduct({{2, 8}, {0, 1}});
BENCHMARK(inselRandBlocks)->ArgsProduct({{4, 8, 16}, {0, 1}});

}  // namespace
}  // namespace vexmolda::bench

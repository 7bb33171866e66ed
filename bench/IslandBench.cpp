// The island solvers on generated families, with logging on and off.
#include <benchmark/benchmark.h>

#include "ProblemFamilies.h"

namespace vexmolda::bench {
namespace {

// Runs the solver on one family member; range(1) switches the log on.
void islandFamily(benchmark::State& state, const char* solver, std::string (*family)(int), std::int32_t limit) {
    loadProblemText(family(static_cast<int>(state.range(0))));
    benchSession().logging() = state.range(1) != 0;
    std::unique_ptr<SolveResult> result;
    for (auto _ : state) {
        result = solveInBenchSession(solver, limit);
        benchmark::DoNotOptimize(result->found);
    }
    state.counters["found"] = result->found ? 1 : 0;
    state.counters["planLength"] = static_cast<double>(result->plan->steps.size());
    state.counters["logEntries"] = static_cast<double>(result->log.lines.size());
    benchSession().logging() = true;
}

void inselGripper(benchmark::State& state) { islandFamily(state, "insel", gripperProblem, 0); }
void inselLogistics(benchmark::State& state) { islandFamily(state, "insel", logisticsProblem, 0); }
void inselOLGripper(benchmark::State& state) { islandFamily(state, "inselol", gripperProblem, 2); }
void inselPLGripper(benchmark::State& state) { islandFamily(state, "inselpl", gripperProblem, 40); }
void inselPLLogistics(benchmark::State& state) { islandFamily(state, "inselpl", logisticsProblem, 40); }
void inselRandBlocks(benchmark::State& state) { islandFamily(state, "inselrand", blocksProblem, 0); }

BENCHMARK(inselGripper)->ArgsProduct({{4, 16, 64}, {0, 1}});
BENCHMARK(inselLogistics)->ArgsProduct({{2, 8, 32}, {0, 1}});
BENCHMARK(inselOLGripper)->ArgsProduct({{4, 16}, {0, 1}});
BENCHMARK(inselPLGripper)->ArgsProduct({{4, 16}, {0, 1}});
BENCHMARK(inselPLLogistics)->ArgsProduct({{2, 8}, {0, 1}});
BENCHMARK(inselRandBlocks)->ArgsProduct({{4, 8, 16}, {0, 1}});

}  // namespace
}  // namespace vexmolda::bench

// Grounding and A* on generated families and on the standard problems.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

#include "ProblemFamilies.h"
#include "command/LoadFile.h"
#include "command/TextBuffer.h"
#include "domain/State.h"
#include "grounding/Grounding.h"
#include "solvers/AStar.h"

namespace vexmolda::bench {
namespace {

void reportSearch(benchmark::State& state, const SearchStatistics& statistics, double seconds) {
    state.counters["instances"] = static_cast<double>(instanceList.size());
    state.counters["expanded"] = static_cast<double>(statistics.expanded);
    state.counters["generated"] = static_cast<double>(statistics.generated);
    state.counters["expanded/s"] = seconds > 0 ? statistics.expanded / seconds : 0;
    state.counters["stateBytes"] = static_cast<double>(statistics.bytesUsed);
}

void groundFamily(benchmark::State& state, std::string (*family)(int)) {
    const std::string text = family(static_cast<int>(state.range(0)));
    loadProblemText(text);
    for (auto _ : state) buildAllInstances();
    state.counters["instances"] = static_cast<double>(instanceList.size());
    state.counters["facts"] = static_cast<double>(factPool.size());
}

void searchFamily(benchmark::State& state, std::string (*family)(int)) {
    loadProblemText(family(static_cast<int>(state.range(0))));
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(aStarSolver().solve(initState, goalState, 0));
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    reportSearch(state, aStarSolver().statistics, seconds);
    state.counters["planLength"] = static_cast<double>(aStarSolver().plan.steps.size());
}

void searchStandard(benchmark::State& state, const std::string& file) {
    messages.clear();
    loadFile(file);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(aStarSolver().solve(initState, goalState, 0));
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    reportSearch(state, aStarSolver().statistics, seconds);
    state.counters["planLength"] = static_cast<double>(aStarSolver().plan.steps.size());
}

BENCHMARK_CAPTURE(groundFamily, gripper, gripperProblem)->RangeMultiplier(2)->Range(4, 64);
BENCHMARK_CAPTURE(groundFamily, blocks, blocksProblem)->RangeMultiplier(2)->Range(4, 32);
BENCHMARK_CAPTURE(groundFamily, logistics, logisticsProblem)->RangeMultiplier(2)->Range(2, 64);
BENCHMARK_CAPTURE(searchFamily, gripper, gripperProblem)->DenseRange(2, 8, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchFamily, blocks, blocksProblem)->DenseRange(3, 7, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchFamily, logistics, logisticsProblem)->DenseRange(1, 4, 1)->Unit(benchmark::kMillisecond);

// The standard problems that finish in seconds.
const bool registered = [] {
    for (const char* family : {"gripper", "blocks", "logistics00"}) {
        for (const std::string& file : standardProblems(family)) {
            if (file.find("BLOCKS-9") != std::string::npos || file.find("BLOCKS-10") != std::string::npos ||
                file.find("LOGISTICS-7") != std::string::npos || file.find("prob05") != std::string::npos) {
                continue;
            }
            const std::string name = "searchStandard/" + std::filesystem::path(file).stem().string();
            benchmark::RegisterBenchmark(name.c_str(), searchStandard, file)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(1);
        }
    }
    return true;
}();

}  // namespace
}  // namespace vexmolda::bench

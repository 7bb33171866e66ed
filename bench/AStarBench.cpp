// Grounding and A* on generated families and on the standard problems.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

#include "ProblemFamilies.h"
#include "domain/WorkControl.h"
#include "grounding/Grounding.h"
#include "solvers/AStar.h"

namespace vexmolda::bench {
namespace {

void reportSearch(benchmark::State& state, const AStarStatistics& statistics, double seconds) {
    state.counters["instances"] = static_cast<double>(benchSession().instances.size());
    state.counters["expanded"] = static_cast<double>(statistics.expanded);
    state.counters["generated"] = static_cast<double>(statistics.generated);
    state.counters["expanded/s"] = seconds > 0 ? statistics.expanded / seconds : 0;
    state.counters["stateBytes"] = static_cast<double>(statistics.bytesUsed);
    state.counters["statesStored"] = static_cast<double>(statistics.statesStored);
    state.counters["bytes/state"] =
        statistics.statesStored > 0 ? static_cast<double>(statistics.bytesUsed) / statistics.statesStored : 0;
}

void groundFamily(benchmark::State& state, std::string (*family)(int)) {
    const std::string text = family(static_cast<int>(state.range(0)));
    loadProblemText(text);
    Session& session = benchSession();
    for (auto _ : state) {
        Grounder(session.model, session.instances, session.groundingOptions(), session.messages).buildAll();
    }
    state.counters["instances"] = static_cast<double>(session.instances.size());
    state.counters["facts"] = static_cast<double>(session.model.facts.size());
}

// A* on the loaded problem: processor time of the whole solve, and of the
// search without its preparation (how other planners time their search).
void searchLoaded(benchmark::State& state) {
    // The fastest iteration: the others only add noise.
    double seconds = 1e9;
    double preparation = 0;
    std::unique_ptr<SolveResult> result;
    for (auto _ : state) {
        const double start = threadCpuSeconds();
        result = solveInBenchSession("a*", 0);
        const double spent = threadCpuSeconds() - start;
        if (spent < seconds) {
            seconds = spent;
            preparation = result->statisticsAs<AStarStatistics>().preparationSeconds;
        }
        benchmark::DoNotOptimize(result->found);
    }
    const auto& statistics = result->statisticsAs<AStarStatistics>();
    reportSearch(state, statistics, seconds);
    state.counters["preparationMs"] = preparation * 1000;
    state.counters["searchExpanded/s"] =
        seconds > preparation ? statistics.expanded / (seconds - preparation) : 0;
    state.counters["planLength"] = static_cast<double>(result->plan->steps.size());
}

void searchFamily(benchmark::State& state, std::string (*family)(int)) {
    loadProblemText(family(static_cast<int>(state.range(0))));
    searchLoaded(state);
}

void searchStandard(benchmark::State& state, const std::string& file) {
    loadProblemFile(file);
    searchLoaded(state);
}

BENCHMARK_CAPTURE(groundFamily, gripper, gripperProblem)->RangeMultiplier(2)->Range(4, 64);
BENCHMARK_CAPTURE(groundFamily, blocks, blocksProblem)->RangeMultiplier(2)->Range(4, 32);
BENCHMARK_CAPTURE(groundFamily, logistics, logisticsProblem)->RangeMultiplier(2)->Range(2, 64);
BENCHMARK_CAPTURE(searchFamily, gripper, gripperProblem)->DenseRange(2, 8, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchFamily, blocks, blocksProblem)->DenseRange(3, 7, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchFamily, logistics, logisticsProblem)->DenseRange(1, 4, 1)->Unit(benchmark::kMillisecond);

// The standard problems that finish in seconds (blocks 9 in about ten).
const bool registered = [] {
    for (const char* family : {"gripper", "blocks", "logistics00", "depot"}) {
        for (const std::string& file : standardProblems(family)) {
            if (file.find("BLOCKS-10") != std::string::npos || file.find("LOGISTICS-7") != std::string::npos) {
                continue;
            }
            const std::string name = "searchStandard/" + std::filesystem::path(file).stem().string();
            // Depot's search is short beside its preparation: several runs.
            benchmark::RegisterBenchmark(name.c_str(), searchStandard, file)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(file.find("depot") != std::string::npos ? 10 : 1);
        }
    }
    return true;
}();

}  // namespace
}  // namespace vexmolda::bench

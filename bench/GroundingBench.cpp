// Grounding of the standard problems: instances per second and heap bytes per
// instance; the report of a task with many operations.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <filesystem>

#include "ProblemFamilies.h"
#include "command/Report.h"
#include "domain/WorkControl.h"
#include "grounding/Grounding.h"

namespace vexmolda::bench {
namespace {

std::size_t heapBytesInUse() { return mallinfo2().uordblks; }

// One full build after the file's own: the list emptied first, so the heap
// growth over the build is what the instances and their indexes take.
void groundStandard(benchmark::State& state, const std::string& file) {
    loadProblemFile(file);
    Session& session = benchSession();
    double seconds = 0;
    double bytes = 0;
    for (auto _ : state) {
        session.instances.clear();
        const std::size_t heapBefore = heapBytesInUse();
        const double start = threadCpuSeconds();
        Grounder(session.model, session.instances, session.groundingOptions(), session.messages).buildAll();
        seconds = threadCpuSeconds() - start;
        bytes = static_cast<double>(heapBytesInUse()) - static_cast<double>(heapBefore);
    }
    const double instances = static_cast<double>(session.instances.size());
    state.counters["instances"] = instances;
    state.counters["instances/s"] = seconds > 0 ? instances / seconds : 0;
    state.counters["cpuSeconds"] = seconds;
    state.counters["bytes/instance"] = instances > 0 ? bytes / instances : 0;
}

// The report of n operations without parameters, each with its one instance:
// every operation block shows its count.
void reportManyOperations(benchmark::State& state) {
    std::string text = "type t\npred f()\n";
    for (std::int64_t i = 0; i < state.range(0); ++i) text += "op o" + std::to_string(i) + "()\n";
    loadProblemText(text + "filterReds off\nbuildInst\n");
    Session& session = benchSession();
    std::size_t length = 0;
    for (auto _ : state) {
        const std::string report = reportText(session);
        length = report.size();
        benchmark::DoNotOptimize(report.data());
    }
    state.counters["instances"] = static_cast<double>(session.instances.size());
    state.counters["reportBytes"] = static_cast<double>(length);
}
BENCHMARK(reportManyOperations)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond);

const bool registered = [] {
    for (const char* family : {"depot", "logistics00", "blocks"}) {
        for (const std::string& file : standardProblems(family)) {
            const std::string name = "groundStandard/" + std::filesystem::path(file).stem().string();
            benchmark::RegisterBenchmark(name.c_str(), groundStandard, file)->Unit(benchmark::kMillisecond)->Iterations(1);
        }
    }
    return true;
}();

}  // namespace
}  // namespace vexmolda::bench

// Loading the planning competitions' problems: translation, then the whole load with "buildInst".
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>

#include "ProblemFamilies.h"
#include "pddl/PddlLoader.h"

namespace vexmolda::bench {
namespace {

const std::string competitions = std::string(VEXMOLDA_SOURCE_DIR) + "/tests/data/pddl-competitions/";

// Peak resident memory of the process so far, in megabytes.
double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

struct Problem {
    std::string domain;
    std::string problem;
};

Problem problemOf(const std::string& folder) {
    Problem files;
    for (const auto& entry : std::filesystem::directory_iterator(competitions + folder)) {
        const std::string name = entry.path().filename().string();
        (name == "domain.pddl" ? files.domain : files.problem) = entry.path().string();
    }
    return files;
}

void translate(benchmark::State& state, const std::string& folder) {
    const Problem files = problemOf(folder);
    for (auto _ : state) {
        PddlTranslation translation;
        benchSession().messages.clear();
        benchmark::DoNotOptimize(translatePddlFiles(benchSession(), files.domain, files.problem, translation));
        state.counters["lines"] = static_cast<double>(translation.domainLines.size() + translation.problemLines.size());
    }
}

void load(benchmark::State& state, const std::string& folder) {
    const Problem files = problemOf(folder);
    for (auto _ : state) {
        benchSession().messages.clear();
        if (!loadPddl(benchSession(), files.domain, files.problem)) state.SkipWithError("refused");
    }
    state.counters["operations"] = static_cast<double>(benchSession().model.operations.size());
    state.counters["instances"] = static_cast<double>(benchSession().instances.size());
    state.counters["peakMB"] = peakMegabytes();
}

// Every shared problem but optical-telegraphs, whose :derived is refused.
const char* const folders[] = {
    "assembly", "driverlog", "elevators-opt08-strips", "hiking-opt14-strips", "miconic-fulladl",
    "miconic-simpleadl", "mprime", "openstacks-opt08-adl", "rovers", "schedule", "snake-opt18-strips",
    "storage", "tetris-opt14-strips", "tidybot-opt11-strips", "transport-opt08-strips", "trucks", "zenotravel",
};

const bool registered = [] {
    for (const char* folder : folders) {
        benchmark::RegisterBenchmark(("PddlTranslate/" + std::string(folder)).c_str(), translate, std::string(folder))
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
        benchmark::RegisterBenchmark(("PddlLoad/" + std::string(folder)).c_str(), load, std::string(folder))
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
    return true;
}();

}  // namespace
}  // namespace vexmolda::bench

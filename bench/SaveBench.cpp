// "save" of the standard problems: the domain file written from the loaded session.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

#include "ProblemFamilies.h"
#include "command/DomainWriter.h"

namespace vexmolda::bench {
namespace {

// The file's own "buildInst" made the instances; each iteration writes the whole file.
void saveStandard(benchmark::State& state, const std::string& file) {
    loadProblemFile(file);
    Session& session = benchSession();
    const std::string path = (std::filesystem::temp_directory_path() / "vexmolda-save-bench.pln").string();
    for (auto _ : state) {
        std::string error;
        if (!writeDomainFile(session, path, {}, error)) state.SkipWithError(error.c_str());
    }
    state.counters["instances"] = static_cast<double>(session.instances.size());
    std::error_code missing;
    state.counters["fileBytes"] = static_cast<double>(std::filesystem::file_size(path, missing));
    std::remove(path.c_str());
}

const bool registered = [] {
    for (const char* family : {"depot", "logistics00", "blocks"}) {
        for (const std::string& file : standardProblems(family)) {
            const std::string name = "saveStandard/" + std::filesystem::path(file).stem().string();
            benchmark::RegisterBenchmark(name.c_str(), saveStandard, file)->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

}  // namespace
}  // namespace vexmolda::bench

// Loading the planning competitions' problems: translation, then the whole load with "buildInst".
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>
#include <fstream>

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

// A rocket task of n cargos at one place, one fact each, written to a temporary folder.
Problem rocketProblem(int cargos) {
    const auto folder = std::filesystem::temp_directory_path() / ("vexmolda-bench-rocket-" + std::to_string(cargos));
    std::filesystem::create_directories(folder);
    Problem files{(folder / "domain.pddl").string(), (folder / "problem.pddl").string()};
    std::ofstream(files.domain) << R"((define (domain rocket) (:requirements :strips :typing) (:types cargo rocket place)
 (:predicates (at ?c - cargo ?p - place) (in ?c - cargo ?r - rocket) (rocket-at ?r - rocket ?p - place)
   (has-fuel ?r - rocket))
 (:action load :parameters (?c - cargo ?r - rocket ?p - place)
   :precondition (and (at ?c ?p) (rocket-at ?r ?p)) :effect (and (in ?c ?r) (not (at ?c ?p))))
 (:action unload :parameters (?c - cargo ?r - rocket ?p - place)
   :precondition (and (in ?c ?r) (rocket-at ?r ?p)) :effect (and (at ?c ?p) (not (in ?c ?r))))
 (:action move :parameters (?r - rocket ?from ?to - place) :precondition (and (rocket-at ?r ?from) (has-fuel ?r))
   :effect (and (rocket-at ?r ?to) (not (rocket-at ?r ?from)) (not (has-fuel ?r)))))
)";
    std::ofstream problem(files.problem);
    problem << "(define (problem rocket) (:domain rocket)\n (:objects\n";
    for (int i = 1; i <= cargos; ++i) problem << "  c" << i << " - cargo\n";
    problem << "  r1 - rocket london paris - place)\n (:init\n";
    for (int i = 1; i <= cargos; ++i) problem << "  (at c" << i << " london)\n";
    problem << "  (rocket-at r1 london) (has-fuel r1))\n (:goal (at c1 paris)))\n";
    return files;
}

// A folder of the competitions' problems, or "rocket-N" for the generated rocket task.
Problem filesOf(const std::string& name) {
    const std::string rocket = "rocket-";
    if (name.rfind(rocket, 0) == 0) return rocketProblem(std::stoi(name.substr(rocket.size())));
    return problemOf(name);
}

void translate(benchmark::State& state, const std::string& folder) {
    const Problem files = filesOf(folder);
    for (auto _ : state) {
        PddlTranslation translation;
        benchSession().messages.clear();
        benchmark::DoNotOptimize(translatePddlFiles(benchSession(), files.domain, files.problem, translation));
        state.counters["lines"] = static_cast<double>(translation.domainLines.size() + translation.problemLines.size());
    }
}

void load(benchmark::State& state, const std::string& folder) {
    const Problem files = filesOf(folder);
    for (auto _ : state) {
        benchSession().messages.clear();
        if (!loadPddl(benchSession(), files.domain, files.problem)) state.SkipWithError("refused");
    }
    state.counters["operations"] = static_cast<double>(benchSession().model.operations.size());
    state.counters["instances"] = static_cast<double>(benchSession().instances.size());
    state.counters["peakMB"] = peakMegabytes();
}

// Every shared problem but optical-telegraphs, whose :derived is refused, and a generated one.
const char* const folders[] = {
    "assembly", "driverlog", "elevators-opt08-strips", "hiking-opt14-strips", "miconic-fulladl",
    "miconic-simpleadl", "mprime", "openstacks-opt08-adl", "rovers", "schedule", "snake-opt18-strips",
    "storage", "tetris-opt14-strips", "tidybot-opt11-strips", "transport-opt08-strips", "trucks", "zenotravel",
    // Loading is linear in the file: 40,000 objects, one fact each.
    "rocket-40000",
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

// Heuristic evaluations per processor second on the problems of bench/pddl-speed/.
#include <benchmark/benchmark.h>

#include <deque>
#include <set>
#include <vector>

#include "ProblemFamilies.h"
#include "domain/WorkControl.h"
#include "pddl/PddlLoader.h"
#include "solvers/Heuristic.h"
#include "solvers/PackedTask.h"
#include "solvers/RelaxedTask.h"

namespace vexmolda::bench {
namespace {

const std::string speedProblems = std::string(VEXMOLDA_SOURCE_DIR) + "/bench/pddl-speed/";

// The first states of a breadth-first walk from the initial state, successors
// in instance order: the same states on every run.
std::vector<std::vector<std::uint64_t>> breadthFirstStates(const PackedTask& packed, std::size_t count) {
    std::set<std::vector<std::uint64_t>> seen;
    std::deque<std::vector<std::uint64_t>> queue;
    std::vector<std::vector<std::uint64_t>> states;
    const std::vector<std::uint64_t> initial(packed.initialBits().begin(), packed.initialBits().end());
    seen.insert(initial);
    queue.push_back(initial);
    std::vector<std::int32_t> applicable;
    std::vector<std::uint64_t> successor(packed.words());
    while (!queue.empty() && states.size() < count) {
        states.push_back(std::move(queue.front()));
        queue.pop_front();
        packed.applicable(states.back().data(), applicable);
        for (std::int32_t instance : applicable) {
            if (packed.apply(states.back().data(), instance, successor.data()) && seen.insert(successor).second) {
                queue.push_back(successor);
            }
        }
    }
    return states;
}

void evaluateHeuristic(benchmark::State& state, const std::string& folder, const std::string& problem,
                       const std::string& heuristicName) {
    Session& session = benchSession();
    session.messages.clear();
    if (!loadPddl(session, speedProblems + folder + "/domain.pddl", speedProblems + folder + "/" + problem)) {
        state.SkipWithError("refused");
        return;
    }
    const SolveTask task{session.model.facts, session.instances, session.model.initState, session.model.goalState};
    double preparation = threadCpuSeconds();
    const PackedTask packed(task.instances, task.initial, task.goal, task.facts.size());
    const RelaxedTask relaxed(packed, task);
    std::unique_ptr<Heuristic> heuristic = heuristicFactories().at(heuristicName)(relaxed);
    preparation = threadCpuSeconds() - preparation;
    const std::vector<std::vector<std::uint64_t>> states = breadthFirstStates(packed, 20000);
    std::int64_t total = 0;
    double seconds = 1e9;  // the fastest round: the others only add noise
    for (auto _ : state) {
        const double start = threadCpuSeconds();
        for (const auto& words : states) total += heuristic->evaluate(words.data(), nullptr);
        seconds = std::min(seconds, threadCpuSeconds() - start);
    }
    benchmark::DoNotOptimize(total);
    state.counters["instances"] = static_cast<double>(session.instances.size());
    state.counters["facts"] = static_cast<double>(relaxed.factCount());
    state.counters["states"] = static_cast<double>(states.size());
    state.counters["evaluations/s"] = static_cast<double>(states.size()) / seconds;
    state.counters["preparationMs"] = preparation * 1000;
    state.counters["hInitial"] = heuristic->evaluate(packed.initialBits().data(), nullptr);
}

struct SpeedProblem {
    const char* folder;
    const char* problem;
};

const SpeedProblem problems[] = {
    {"depot", "p05.pddl"},
    {"depot", "p10.pddl"},
    {"driverlog", "p12.pddl"},
    {"blocks", "probBLOCKS-17-0.pddl"},
    {"gripper", "prob20.pddl"},
    {"rovers", "p30.pddl"},
    {"elevators-opt08-strips", "p20.pddl"},
    {"transport-opt08-strips", "p15.pddl"},
    {"storage", "p15.pddl"},
};

const bool registered = [] {
    for (const char* heuristic : {"ff", "hmax", "lmcount"}) {
        for (const SpeedProblem& entry : problems) {
            const std::string problem = entry.problem;
            const std::string name = std::string("heuristic/") + heuristic + "/" + entry.folder + "/" +
                                     problem.substr(0, problem.size() - 5);
            benchmark::RegisterBenchmark(name.c_str(), evaluateHeuristic, std::string(entry.folder), problem,
                                         std::string(heuristic))
                ->Unit(benchmark::kMillisecond)
                ->Iterations(3);
        }
    }
    return true;
}();

}  // namespace
}  // namespace vexmolda::bench

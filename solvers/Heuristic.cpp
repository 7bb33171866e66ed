#include "solvers/Heuristic.h"

#include "solvers/AdditiveHeuristic.h"
#include "solvers/GoalCountHeuristic.h"
#include "solvers/LandmarkCountHeuristic.h"
#include "solvers/MaxHeuristic.h"
#include "solvers/RelaxedPlanHeuristic.h"

namespace vexmolda {

namespace {

template <class Kind>
std::unique_ptr<Heuristic> makeHeuristic(const RelaxedTask& task) {
    return std::make_unique<Kind>(task);
}

}  // namespace

std::int32_t Heuristic::evaluateState(const State& state) {
    relaxed.pack(state, packedScratch);
    return evaluate(packedScratch.data(), nullptr);
}

const std::map<std::string, HeuristicFactory>& heuristicFactories() {
    static const std::map<std::string, HeuristicFactory> factories = {
        {"ff", makeHeuristic<RelaxedPlanHeuristic>},
        {"goalcount", makeHeuristic<GoalCountHeuristic>},
        {"hadd", makeHeuristic<AdditiveHeuristic>},
        {"hmax", makeHeuristic<MaxHeuristic>},
        {"lmcount", makeHeuristic<LandmarkCountHeuristic>},
    };
    return factories;
}

}  // namespace vexmolda

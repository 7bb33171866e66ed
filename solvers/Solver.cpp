#include "solvers/Solver.h"

#include <cstdio>
#include <new>

#include "solvers/AStar.h"
#include "solvers/CycleCounter.h"
#include "solvers/Graphplan.h"
#include "solvers/GreedySearch.h"
#include "solvers/HillClimbing.h"
#include "solvers/Insel.h"
#include "solvers/InselOL.h"
#include "solvers/InselPL.h"
#include "solvers/InselRand.h"
#include "solvers/WeightedAStar.h"

namespace vexmolda {

namespace {

template <class Kind>
std::unique_ptr<Solver> make() {
    return std::make_unique<Kind>();
}

}  // namespace

const std::map<std::string, SolverFactory>& solverFactories() {
    static const std::map<std::string, SolverFactory> factories = {
        {"a*", make<aStar>},         {"ehc", make<HillClimbing>},         {"graph", make<Graphplan>},     {"greedy", make<GreedySearch>},     {"insel", make<insel>},
        {"inselol", make<inselOL>},  {"inselpl", make<inselPL>},     {"inselrand", make<inselRand>},  {"wastar", make<WeightedAStar>},
    };
    return factories;
}

std::string timingLine(std::uint64_t cycles) {
    char text[128];
    const auto thousands = static_cast<std::uint32_t>(cycles / 1000);
    const float milliseconds = static_cast<float>(static_cast<double>(cycles) / 2000000.0);
    std::snprintf(text, sizeof text, " - required %uk clock cycles (%.4fms at 2Ghz)\n", thousands,
                  static_cast<double>(milliseconds));
    return text;
}

std::unique_ptr<SolveResult> runSolve(const std::string& name, const SolveTask& task, SolveContext& context) {
    auto factory = solverFactories().find(name);
    if (factory == solverFactories().end()) return nullptr;
    auto result = std::make_unique<SolveResult>();
    result->log.enabled = task.logging;
    std::unique_ptr<Solver> solver = factory->second();
    context.control.enter(WorkKind::solving, &solver->statistics().progressLabels());
    const std::uint64_t start = readCycleCounter();
    try {
        result->found = solver->solve(task, *result, context);
    } catch (const std::bad_alloc&) {
        // The search's structures went with the unwinding; what the run
        // recorded before stays, as after any unsuccessful run.
        result->found = false;
        context.control.requestStop(StopReason::outOfMemory);
    }
    result->cycles = readCycleCounter() - start;
    // A run that found its plan before it saw a stop request has succeeded.
    result->stopped = result->found ? StopReason::none : context.control.stopReason();
    result->plan = solver->takePlan();
    result->statistics = solver->takeStatistics();
    return result;
}

}  // namespace vexmolda

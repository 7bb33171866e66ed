#include "solvers/Solver.h"

#include <cstdio>

#include "command/Switches.h"
#include "command/TextBuffer.h"
#include "solvers/CycleCounter.h"
#include "solvers/Plan.h"

namespace vexmolda {

std::function<void(bool found)> afterSolve;

SolverRegistry& solverRegistry() {
    static SolverRegistry registry;
    return registry;
}

Solver::Solver(const std::string& name) { solverRegistry()[name] = this; }

std::string timingLine(std::uint64_t cycles) {
    char text[128];
    const auto thousands = static_cast<std::uint32_t>(cycles / 1000);
    const float milliseconds = static_cast<float>(static_cast<double>(cycles) / 2000000.0);
    std::snprintf(text, sizeof text, " - required %uk clock cycles (%.4fms at 2Ghz)\n", thousands,
                  static_cast<double>(milliseconds));
    return text;
}

void runSolver(const std::string& name, std::int32_t limit) {
    auto position = solverRegistry().find(name);
    if (position == solverRegistry().end()) {
        messages.append("Unknown solver\n");
        return;
    }
    if (currentPlan) currentPlan->clear();
    currentPlan = nullptr;
    log.clear();
    const std::uint64_t start = readCycleCounter();
    const bool found = position->second->solve(initState, goalState, limit);
    const std::uint64_t cycles = readCycleCounter() - start;
    if (logging()) log.append(std::string("\nSolution ") + (found ? "found" : "not found") + "\n");
    messages.append(timingLine(cycles));
    if (afterSolve) afterSolve(found);
}

}  // namespace vexmolda

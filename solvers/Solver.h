#pragma once
// The solver interface, the registry of solvers by name, and the solve flow.

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "domain/State.h"

namespace vexmolda {

// A planning algorithm; one process-wide object per name, registered at start-up.
class Solver {
public:
    // Registers this object under the name (a later one replaces an earlier).
    explicit Solver(const std::string& name);
    virtual ~Solver() = default;

    // True when a plan was found; a success sets currentPlan to the solver's plan.
    virtual bool solve(const State& initial, const State& goal, std::int32_t limit) = 0;
    // Discards what the solver keeps between runs; called by "wipe".
    virtual void reset() {}
    // Drops whatever refers to instances; called before the instance list is rebuilt.
    virtual void forgetInstances() {}
};

// Solver names in byte order to the (non-owned) solver objects.
using SolverRegistry = std::map<std::string, Solver*>;
// Created by the first registration.
SolverRegistry& solverRegistry();

// Runs the named solver on initState and goalState: clears the plan and the
// log, times the run, logs the outcome and adds the timing line to messages.
void runSolver(const std::string& name, std::int32_t limit);

// Called at the end of every run with whether a plan was found; empty unless
// a program sets it (the window program writes the plan from here).
extern std::function<void(bool found)> afterSolve;

// " - required %uk clock cycles (%.4fms at 2Ghz)\n" for a cycle count.
std::string timingLine(std::uint64_t cycles);

}  // namespace vexmolda

#pragma once
// The solver interface, the registry of solver factories by name, and one run.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "solvers/SolveResult.h"
#include "solvers/SolveTask.h"

namespace vexmolda {

// A planning algorithm; one object serves one run.
class Solver {
public:
    virtual ~Solver() = default;
    // Searches the task; writes plan, log lines and counters into the result.
    // True when a plan was found. Polls the context's control and gives up
    // (false) once asked to stop.
    virtual bool solve(const SolveTask& task, SolveResult& result, SolveContext& context) = 0;
    // The plan the run built, found or not; called once after solve.
    virtual std::unique_ptr<Plan> takePlan() = 0;
    // The run's counters as they stand; their type names them.
    virtual const SolverStatistics& statistics() const = 0;
    // The run's counters, handed over once after solve.
    virtual std::unique_ptr<SolverStatistics> takeStatistics() = 0;
};

// A solver whose run fills counters of its own statistics type.
template <class Statistics>
class CountingSolver : public Solver {
public:
    const SolverStatistics& statistics() const override { return counts; }
    std::unique_ptr<SolverStatistics> takeStatistics() override { return std::make_unique<Statistics>(counts); }

    Statistics counts;
};

using SolverFactory = std::unique_ptr<Solver> (*)();
// Solver names in byte order to their factories: "a*", "ehc", "graph",
// "greedy", "insel", "inselol", "inselpl", "inselrand", "wastar".
const std::map<std::string, SolverFactory>& solverFactories();

// Runs a new solver of that name on the task and times it, as a solving
// phase of the context's control; running out of memory ends the run as
// unsuccessful. Null for an unknown name.
std::unique_ptr<SolveResult> runSolve(const std::string& name, const SolveTask& task, SolveContext& context);

// " - required %uk clock cycles (%.4fms at 2Ghz)\n" for a cycle count.
std::string timingLine(std::uint64_t cycles);

}  // namespace vexmolda

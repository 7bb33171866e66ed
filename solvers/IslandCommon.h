#pragma once
// What the four island solvers share: their log entries, the candidate list
// and the bound on a run's plan length.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "domain/State.h"
#include "grounding/OperationInstance.h"
#include "solvers/Solver.h"

namespace vexmolda {

// A run of "inselol", "inselpl" or "inselrand" fails once its plan holds more
// steps than this. Their levels can loop without recursing (an instance whose
// effect undoes another's), and only this bound stops such a loop before the
// plan and the log exhaust memory. Hand-written domains need plans of tens to
// hundreds of steps, so no plan one can read is lost.
constexpr std::size_t islandStepBound = 100000;

// A run of "inselol" or "inselpl" fails once it has picked more candidates
// than this. Their backtracking can take exponential time: on a small gripper
// problem "solve inselol 1" would try candidates for hours while its log grew
// by tens of megabytes a second. This many picks take a few seconds and keep
// the log within a few hundred megabytes.
constexpr std::size_t islandPickBound = 1000000;

// The counters of an island solver's run; the control's first, second and
// third are the depth, the steps and the picks.
struct IslandStatistics : SolverStatistics {
    std::uint64_t steps = 0;
    std::uint64_t depth = 0;  // deepest level reached
    std::uint64_t picks = 0;

    const CounterLabels& progressLabels() const override;
    std::vector<StatisticsField> fields() const override { return {{"depth", depth}, {"picks", picks}}; }
    MadeSoFar madeSoFar() const override { return {steps, "steps"}; }
};

// What the four island solvers share while one of them runs: the task, the
// result, the log entries and the plan.
class IslandSolver : public CountingSolver<IslandStatistics> {
public:
    std::unique_ptr<Plan> takePlan() override { return std::make_unique<Plan>(std::move(plan)); }

    Plan plan;

    // The hooks below serve the solver's own search code.
    // Binds the run; the first call of every solve.
    void beginRun(const SolveTask& runTask, SolveResult& runResult, SolveContext& runContext);
    // Makes the plan the current one: every level that succeeds does.
    void showPlan() { result->planShown = true; }
    // Counts a pick and the depth it was made at; true once asked to stop.
    bool pickAndCheckStop(std::uint64_t depth);
    // Records the plan's length for the progress line and the statistics.
    void countStep();

    // Logs "\nTrying to achieve: " and the goals.
    void logTryingToAchieve(FactSpan goals);
    // Logs "Picked: " and the instance's signature.
    void logPicked(const OperationInstance& instance);
    // Logs "New State: " and the working state.
    void logNewState(const State& state);

    // Every instance in list order, once for each of its add facts that is a
    // goal and not yet in the state.
    void buildCandidates(const State& state, FactSpan goals, std::vector<OperationInstance*>& candidates) const;

    const SolveTask* task = nullptr;
    SolveResult* result = nullptr;
    SolveContext* context = nullptr;
};

}  // namespace vexmolda

#include "solvers/InselPL.h"

#include <vector>

#include "solvers/IslandCommon.h"
#include "solvers/StateOperations.h"

namespace vexmolda {

namespace {

// What each applied step removed from and added to the working state, so
// failed attempts are undone without copying the state or the plan per level.
class StateJournal {
public:
    // Applies the instance as applyInstance does and records the change.
    void apply(State& state, const OperationInstance& instance) {
        if (goalsHold(state, instance.pre())) {
            for (Fact* fact : instance.del()) {
                if (state.erase(fact)) removed.push_back(fact);
            }
            for (Fact* fact : instance.add()) {
                if (state.insert(fact)) added.push_back(fact);
            }
        }
        marks.push_back({removed.size(), added.size()});
    }
    // Reverts the latest recorded step.
    void undoLast(State& state) {
        marks.pop_back();
        const Mark before = marks.empty() ? Mark{0, 0} : marks.back();
        for (std::size_t i = before.addedEnd; i < added.size(); ++i) state.erase(added[i]);
        for (std::size_t i = before.removedEnd; i < removed.size(); ++i) state.insert(removed[i]);
        added.resize(before.addedEnd);
        removed.resize(before.removedEnd);
    }

private:
    struct Mark {
        std::size_t removedEnd;
        std::size_t addedEnd;
    };
    std::vector<Fact*> removed;
    std::vector<Fact*> added;
    std::vector<Mark> marks;
};

// One level of the search: a set of goals and where its loop stands.
struct Level {
    FactSpan goals;
    std::int64_t budget;
    std::vector<OperationInstance*> candidates;
    std::size_t next = 0;        // the candidate being tried
    std::size_t savedSteps = 0;  // plan length when this pass began
};

// What a level wants next: the preconditions of a candidate worked on, or to end.
struct Request {
    bool descend;
    FactSpan goals;
    std::int64_t budget;
    bool outcome;
};

Request descendInto(FactSpan goals, std::int64_t budget) { return {true, goals, budget, false}; }
Request finish(bool outcome) { return {false, {}, 0, outcome}; }

// The levels run on an explicit stack: the budget allows nesting far deeper
// than the native stack of any thread would hold.
class DepthBoundedSearch {
public:
    // The hooks are the solver's own: picks, steps, the log and the current plan.
    DepthBoundedSearch(inselPL& solver, Plan& plan, State& state, std::int32_t limit)
        : solver(solver), plan(plan), state(state), limit(limit) {}

    bool run(FactSpan goals, std::int64_t budgetUsed) {
        Request request = descendInto(goals, budgetUsed);
        for (;;) {
            bool outcome;
            if (request.descend) {
                if (goalsHold(state, request.goals)) {
                    solver.showPlan();
                    outcome = true;
                } else if (levels.size() > inselPL::deepestLevel) {
                    outcome = false;
                } else {
                    levels.push_back({request.goals, request.budget, {}});
                    request = beginPass(levels.back());
                    continue;
                }
            } else {
                levels.pop_back();
                outcome = request.outcome;
            }
            if (levels.empty()) return outcome;
            if (abandoned) return false;
            request = afterAttempt(levels.back(), outcome);
        }
    }

private:
    Request beginPass(Level& level) {
        if (++level.budget > limit) return finish(false);
        solver.logTryingToAchieve(level.goals);
        solver.buildCandidates(state, level.goals, level.candidates);
        level.savedSteps = plan.steps.size();
        level.next = 0;
        return tryCandidate(level);
    }

    Request tryCandidate(Level& level) {
        if (level.next == level.candidates.size()) return finish(false);
        const OperationInstance& candidate = *level.candidates[level.next];
        if (++picks > islandPickBound || solver.pickAndCheckStop(levels.size() - 1)) {
            abandoned = true;
            return finish(false);
        }
        solver.logPicked(candidate);
        return descendInto(candidate.pre(), level.budget + 1);
    }

    Request afterAttempt(Level& level, bool succeeded) {
        if (!succeeded) {
            while (plan.steps.size() > level.savedSteps) {
                plan.steps.pop_back();
                journal.undoLast(state);
            }
            ++level.next;
            return tryCandidate(level);
        }
        OperationInstance* chosen = level.candidates[level.next];
        journal.apply(state, *chosen);
        plan.steps.push_back(chosen);
        solver.countStep();
        solver.logNewState(state);
        if (plan.steps.size() > islandStepBound) {
            abandoned = true;
            return finish(false);
        }
        if (goalsHold(state, level.goals)) {
            solver.showPlan();
            return finish(true);
        }
        return beginPass(level);
    }

    inselPL& solver;
    Plan& plan;
    State& state;
    const std::int32_t limit;
    std::vector<Level> levels;
    StateJournal journal;
    std::size_t picks = 0;
    // Past islandStepBound or islandPickBound the whole run fails as it stands.
    bool abandoned = false;
};

}  // namespace

bool inselPL::solve(const SolveTask& runTask, SolveResult& runResult, SolveContext& runContext) {
    beginRun(runTask, runResult, runContext);
    State working = task->initial;
    return achievePL(working, task->goal, task->limit, 0);
}

bool inselPL::achievePL(State& state, FactSpan goals, std::int32_t limit, std::int64_t budgetUsed) {
    DepthBoundedSearch search(*this, plan, state, limit);
    return search.run(goals, budgetUsed);
}

}  // namespace vexmolda

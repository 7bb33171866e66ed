#pragma once
// A PDDL task with every action bound to objects: what the grounded translation writes.

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "pddl/Disjunction.h"
#include "pddl/PddlDiagnostics.h"
#include "pddl/PddlModel.h"

namespace vexmolda {

// What a ground fact stands for.
enum class FactRole { Plain, Complement, Goal };

// A predicate applied to objects (PDDL names); a complement stands for its
// negation, the goal fact for a disjunctive goal reached.
struct PddlGroundFact {
    std::string predicate;
    std::vector<std::string> objects;
    FactRole role = FactRole::Plain;
};

// Facts by id, each stored once.
class GroundFacts {
public:
    int intern(const std::string& predicate, const std::vector<std::string>& objects, FactRole role = FactRole::Plain);
    const PddlGroundFact& operator[](int id) const { return facts[id]; }
    int size() const { return static_cast<int>(facts.size()); }

private:
    std::vector<PddlGroundFact> facts;
    std::map<std::tuple<std::string, std::vector<std::string>, FactRole>, int> ids;
};

// One operation of the grounded translation: an action under one binding,
// one choice of its conditional effects and one disjunct of its condition.
struct GroundOperation {
    std::size_t action = 0;              // index into the domain's actions
    std::vector<std::string> arguments;  // the action's own parameters, bound (PDDL names)
    Conjunction pre;                     // literals; complements replace negations once compiled
    std::vector<int> add;
    std::vector<int> del;
    long long cost = 0;
    bool goal = false;  // reaches the goal fact: no step of the PDDL plan
};

// What was compiled, counted for the load's messages.
struct CompileCounts {
    int negativePreconditions = 0;
    int negativeGoals = 0;
    int equalities = 0;
    int quantifiers = 0;
    int disjunctions = 0;
    int conditionalEffects = 0;
    int goalOperations = 0;
    std::vector<std::pair<std::string, std::size_t>> variants;  // actions whose one binding needs several operations
    std::map<std::string, std::size_t> operationsPerAction;
};

// The grounded task.
struct GroundTask {
    GroundFacts facts;
    std::vector<int> init;                // without static facts, which are decided
    Conjunction goal;                     // when goalFact < 0
    int goalFact = -1;                    // the fact goal operations reach, or -1
    std::vector<GroundOperation> operations;
    std::set<std::string> complemented;  // predicates that got a complement
    CompileCounts counts;
    double estimatedBytes = 0;  // what the operations would cost the load
    bool tooLarge = false;      // refused for its size alone: bindings or memory
};

// Grounds every action over the objects, deciding static facts and
// equalities, expanding quantifiers and splitting disjunctions and
// conditional effects into operations; false after a refusal (an operation
// past maxDisjuncts variants, a task too large to ground, a stop that the
// diagnostics' control asked for).
bool groundPddlTask(const PddlTask& task, GroundTask& ground, PddlDiagnostics& diagnostics);

}  // namespace vexmolda

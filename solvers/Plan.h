#pragma once
// Plans: sequential step lists and the layered plans of the planning graph.

#include <string>
#include <vector>

#include "domain/State.h"
#include "grounding/OperationInstance.h"

namespace vexmolda {

// A sequential plan; also carries a state and a cost for the A* search.
class Plan {
public:
    virtual ~Plan() = default;
    Plan() = default;
    Plan(const Plan&) = default;
    Plan& operator=(const Plan&) = default;

    // Writes toString to standard output.
    virtual void print() const;
    // One line per step: "name(a,b)\n".
    virtual std::string toString() const;
    // Empties the steps; state and cost stay.
    virtual void clear();

    State state;
    int cost = 0;
    std::vector<OperationInstance*> steps;
};

// A layered plan: the instances of one layer may run in parallel.
class ParPlan : public Plan {
public:
    // One line per layer: "1: a(x), b(y)\n".
    std::string toString() const override;
    // Empties the layers only.
    void clear() override;

    std::vector<std::vector<OperationInstance*>> layers;
};

// "name(a,b)" without a line feed.
std::string stepText(const OperationInstance& instance);

}  // namespace vexmolda

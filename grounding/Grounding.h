#pragma once
// Building operation instances from operations and objects.

#include <string>
#include <vector>

#include "grounding/OperationInstance.h"

namespace vexmolda {

// The three switches that decide what grounding builds.
struct GroundingSwitches {
    bool noDups;
    bool ignConst;
    bool filterReds;
    bool operator==(const GroundingSwitches&) const = default;
};
// The switches as they are now.
GroundingSwitches currentGroundingSwitches();

// Why the checks of "instance" refuse a binding; none when it passes.
enum class Refusal { none, noOperation, wrongCount, typeMismatch, duplicateObject, constraintFails, factRefused };

// The outcome of the checks "instance" makes, with what its message names.
struct BindingCheck {
    Refusal refusal = Refusal::none;
    const Operation* operation = nullptr;
    const Atom* object = nullptr;     // for a type mismatch: the object
    const Type* expected = nullptr;   // and the type its position wants
    std::string message;              // the message "instance" gives; empty for silent refusals
    bool passed() const { return refusal == Refusal::none; }
};

// The operation, parameter count, type, noDups and constraint checks of
// "instance", in its order; binds the parameters. Adds no message, builds nothing.
BindingCheck checkBinding(const std::string& operationName, const std::vector<Atom*>& objects);
// The same under the given switches.
BindingCheck checkBinding(const std::string& operationName, const std::vector<Atom*>& objects,
                          const GroundingSwitches& switches);

// A ground fact by predicate name and objects, not interned.
struct GroundFact {
    std::string name;
    std::vector<Atom*> args;
    auto operator<=>(const GroundFact&) const = default;
};

// The ground literal sets of a candidate instance, in the operation's set order.
struct GroundLiterals {
    std::vector<GroundFact> pre;
    std::vector<GroundFact> add;
    std::vector<GroundFact> del;
};

// Grounds the operation's sets under the current bindings without touching
// the fact pool (add, del, pre, as instantiate does); at the first fact that
// makeFact would refuse, fills the check's refusal and returns false.
bool groundWithoutInterning(const Operation& operation, GroundLiterals& literals, BindingCheck& check);

// The bindings a full build would make under the switches, in its order, without making them.
std::vector<std::pair<const Operation*, std::vector<Atom*>>> fullBuildBindings(const GroundingSwitches& switches);

// The instance that stands for this binding (new, existing or an earlier
// redundant one), or null when refused (with a message where one is due).
OperationInstance* instantiate(const std::string& operationName, const std::vector<Atom*>& objects);

// Discards every instance and builds all of them, operations in name order,
// tuples in odometer order over the objects in name order.
void buildAllInstances();

void clearInstances();

// Entries of instanceList carrying the operation's name.
int countInstances(const Operation& operation);

// Inserts into target the facts of source with variables replaced by their
// bindings; false (after makeFact's message) at the first fact refused.
bool groundState(State& target, const State& source);

}  // namespace vexmolda

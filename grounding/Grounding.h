#pragma once
// Building operation instances from operations and objects.

#include <string>
#include <utility>
#include <vector>

#include "domain/BindingOdometer.h"
#include "domain/Diagnostics.h"
#include "domain/Model.h"
#include "domain/WorkControl.h"
#include "grounding/OperationInstance.h"

namespace vexmolda {

// The switches that decide which bindings become instances.
struct GroundingOptions {
    bool noDups = true;      // an instance may not bind one object twice
    bool ignConst = false;   // operation constraints are not evaluated
    bool filterReds = true;  // instances equal to an earlier one are dropped
    bool operator==(const GroundingOptions&) const = default;
};

// Why the checks of "instance" refuse a binding; none when it passes.
enum class Refusal { none, noOperation, wrongCount, typeMismatch, duplicateObject, constraintFails, factRefused };

// The outcome of the checks "instance" makes, with what its message names.
struct BindingCheck {
    Refusal refusal = Refusal::none;
    const Operation* operation = nullptr;
    const Atom* object = nullptr;    // for a type mismatch: the object
    const Type* expected = nullptr;  // and the type its position wants
    std::string message;             // the message "instance" gives; empty for silent refusals
    bool passed() const { return refusal == Refusal::none; }
};

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

// An operation and the objects bound to its parameters.
using Binding = std::pair<const Operation*, std::vector<Atom*>>;

// Grounds operations of one model into one instance list. Reads the model
// only: the facts it needs go into the pool it is given, the parameters'
// bindings into its own table.
class Grounder {
public:
    Grounder(const Model& model, FactPool& facts, InstanceList& instances, GroundingOptions options,
             Diagnostics& diagnostics)
        : model(model), facts(facts), instances(instances), options(options), diagnostics(diagnostics) {}
    // Interning into the model's own pool.
    Grounder(Model& model, InstanceList& instances, GroundingOptions options, Diagnostics& diagnostics)
        : Grounder(model, model.facts, instances, options, diagnostics) {}

    // The instance that stands for this binding (new, existing or an earlier
    // redundant one), or null when refused (with a message where one is due).
    OperationInstance* instantiate(const std::string& operationName, const std::vector<Atom*>& objects);

    // Discards every instance and builds all of them, operations in name order,
    // tuples in odometer order over the objects in name order. With a control,
    // counts bindings tried (first) and instances (second), and returns false
    // when asked to stop (the instances made so far stay).
    bool buildAll(WorkControl* control = nullptr);

    // Inserts into target the facts of source with variables replaced by their
    // bindings; false (after makeFact's message) at the first fact refused.
    bool groundState(State& target, const State& source);

    // The operation, parameter count, type, noDups and constraint checks of
    // "instance", in its order; binds the parameters in the grounder's table.
    // Adds no message, builds nothing.
    BindingCheck checkBinding(const std::string& operationName, const std::vector<Atom*>& objects);

    // Grounds the operation's sets under the current bindings without touching
    // the fact pool (add, del, pre, as instantiate does); at the first fact that
    // makeFact would refuse, fills the check's refusal and returns false.
    bool groundWithoutInterning(const Operation& operation, GroundLiterals& literals, BindingCheck& check) const;

    // The bindings buildAll would make, in its order, without making them.
    std::vector<Binding> fullBuildBindings();

private:
    class LiteralCache;
    void bindParameters(const Operation& operation, const std::vector<Atom*>& objects, BindingCheck& check);
    bool groundWithoutInterning(const State& source, std::vector<GroundFact>& target, BindingCheck& check) const;
    // The fitting objects of each parameter, in name order; false when one has
    // none or when the control asks to stop.
    bool candidatesOf(const Operation& operation, std::vector<std::vector<Atom*>>& candidates,
                      WorkControl* control = nullptr) const;
    // Calls visit(tuple, odometer) for every tuple of the candidates in odometer
    // order; false when visit asked to stop. None when a parameter has no candidate.
    template <class Visit>
    static bool forEachTuple(const std::vector<std::vector<Atom*>>& candidates, Visit visit);
    // The steps of instantiate after the lookups, for a binding of a full
    // build, which is tried only once after the list was emptied, so it can
    // exist already only as a redundant one. Ground facts come from the
    // caches where already made.
    void instantiateBinding(const Operation& operation, const std::vector<Atom*>& objects,
                            const BindingOdometer& odometer, std::vector<LiteralCache>& caches);
    // Fills target (emptied first) from source's literals under the current bindings.
    bool groundCached(State& target, const State& source, const BindingOdometer& odometer, LiteralCache* caches);
    bool constraintsHold(const Operation& operation) const;
    // The fact with its arguments resolved through the bindings, interned
    // into the grounder's pool; null after the model's message when refused.
    Fact* groundFact(const Fact& literal);

    const Model& model;
    FactPool& facts;
    InstanceList& instances;
    GroundingOptions options;
    Diagnostics& diagnostics;
    ParameterBindings bindings;
    // The sets of the candidate instance, kept between bindings so building them allocates rarely.
    struct CandidateSets {
        State pre;
        State add;
        State del;
    } scratch;
};

// Entries of the list carrying the operation's name.
int countInstances(const InstanceList& instances, const Operation& operation);

}  // namespace vexmolda

#pragma once
// Building operation instances from operations and objects.

#include <string>
#include <vector>

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
};

// Grounds operations of one model into one instance list. Interns the facts
// it needs into the model and sets the parameters' bindings while it checks.
class Grounder {
public:
    Grounder(Model& model, InstanceList& instances, GroundingOptions options, Diagnostics& diagnostics)
        : model(model), instances(instances), options(options), diagnostics(diagnostics) {}

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

private:
    class LiteralCache;
    // Steps 3 on of instantiate for a binding of a full build, which is tried
    // only once after the list was emptied, so it can exist already only as a
    // redundant one. Ground facts come from the caches where already made.
    void instantiateBinding(const Operation& operation, const std::vector<Atom*>& objects,
                            const std::vector<std::size_t>& odometer, std::vector<LiteralCache>& caches);
    bool groundCached(State& target, const State& source, const std::vector<std::size_t>& odometer,
                      LiteralCache* caches);
    bool bindParameters(const Operation& operation, const std::vector<Atom*>& objects);
    bool constraintsHold(const Operation& operation) const;

    Model& model;
    InstanceList& instances;
    GroundingOptions options;
    Diagnostics& diagnostics;
};

// Entries of the list carrying the operation's name.
int countInstances(const InstanceList& instances, const Operation& operation);

}  // namespace vexmolda

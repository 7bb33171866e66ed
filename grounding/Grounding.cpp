#include "grounding/Grounding.h"

#include <algorithm>
#include <array>
#include <set>

#include "domain/BindingOdometer.h"

namespace vexmolda {

namespace {

// Instances reserved at most ahead of an operation's walk (about 8 MB of index).
constexpr std::size_t maxReservedInstances = std::size_t{1} << 18;

}  // namespace

// The ground facts of one literal of an operation, by the candidate positions
// of the parameters it names; filled as the build first meets each binding.
class Grounder::LiteralCache {
public:
    LiteralCache(const Fact& literal, const Operation& operation,
                 const std::vector<std::vector<Atom*>>& candidates) {
        std::size_t size = 1;
        for (Atom* arg : literal.args) {
            auto* variable = dynamic_cast<Variable*>(arg);
            if (!variable) continue;
            std::size_t position = 0;
            while (position < operation.params.size() && operation.params[position] != variable) ++position;
            // A variable of no parameter keeps whatever binding it has: not cached.
            if (position == operation.params.size()) return;
            parameters.push_back(position);
            strides.push_back(size);
            size *= candidates[position].size();
            if (size > maxEntries) return;
        }
        facts.assign(size, nullptr);
    }
    // The cache entry for the binding at those odometer positions, or null
    // when this literal is not cached.
    Fact** entry(const BindingOdometer& odometer) {
        if (facts.empty()) return nullptr;
        std::size_t index = 0;
        for (std::size_t i = 0; i < parameters.size(); ++i) index += odometer[parameters[i]] * strides[i];
        return &facts[index];
    }

private:
    static constexpr std::size_t maxEntries = std::size_t{1} << 20;
    std::vector<std::size_t> parameters;
    std::vector<std::size_t> strides;
    std::vector<Fact*> facts;
};

void Grounder::bindParameters(const Operation& operation, const std::vector<Atom*>& objects, BindingCheck& check) {
    bindings.reset(operation.params.size());
    for (std::size_t i = 0; i < objects.size(); ++i) {
        Atom* object = objects[i];
        Variable* parameter = operation.params[i];
        if (!model.fits(*object, parameter->type)) {
            check.refusal = Refusal::typeMismatch;
            check.object = object;
            check.expected = parameter->type;
            check.message = "Type mismatch, " + object->name + " is type " + object->type->name + ", but " +
                            parameter->type->name + " expected\n";
            return;
        }
        if (options.noDups) {
            for (std::size_t j = i + 1; j < objects.size(); ++j) {
                if (objects[j] == object) {
                    check.refusal = Refusal::duplicateObject;
                    return;
                }
            }
        }
        bindings.bind(*parameter, object);
    }
}

bool Grounder::constraintsHold(const Operation& operation) const {
    if (options.ignConst) return true;
    for (const Constraint* constraint : operation.constraints) {
        if (!constraint->holds(bindings)) return false;
    }
    return true;
}

Fact* Grounder::groundFact(const Fact& literal) {
    std::vector<Atom*> args = literal.args;
    for (Atom*& arg : args) arg = bindings.resolve(arg);
    return model.makeFactIn(facts, literal.name, args, diagnostics);
}

bool Grounder::groundState(State& target, const State& source) {
    for (const Fact* fact : source) {
        Fact* ground = groundFact(*fact);
        if (!ground) return false;
        target.insert(ground);
    }
    return true;
}

bool Grounder::groundCached(State& target, const State& source, const BindingOdometer& odometer,
                            LiteralCache* caches) {
    target.clear();
    for (std::size_t i = 0; i < source.size(); ++i) {
        Fact** cached = caches[i].entry(odometer);
        if (cached && *cached) {
            target.insert(*cached);
            continue;
        }
        // A refusal is not cached: every binding meeting it repeats its message.
        Fact* ground = groundFact(*source[i]);
        if (!ground) return false;
        if (cached) *cached = ground;
        target.insert(ground);
    }
    return true;
}

void Grounder::instantiateBinding(const Operation& operation, const std::vector<Atom*>& objects,
                                  const BindingOdometer& odometer, std::vector<LiteralCache>& caches) {
    // Every tuple fits by its candidates: only noDups and the constraints refuse, silently.
    BindingCheck check;
    bindParameters(operation, objects, check);
    if (!check.passed() || !constraintsHold(operation)) return;
    // add, del, pre: the order in which new facts enter the pool.
    LiteralCache* addCaches = caches.data();
    LiteralCache* delCaches = addCaches + operation.add.size();
    LiteralCache* preCaches = delCaches + operation.del.size();
    if (!groundCached(scratch.add, operation.add, odometer, addCaches) ||
        !groundCached(scratch.del, operation.del, odometer, delCaches) ||
        !groundCached(scratch.pre, operation.pre, odometer, preCaches)) {
        return;
    }
    if (options.filterReds && instances.findSameSets(scratch.pre, scratch.add, scratch.del)) return;
    instances.append(operation, objects, scratch.pre, scratch.add, scratch.del);
}

BindingCheck Grounder::checkBinding(const std::string& operationName, const std::vector<Atom*>& objects) {
    BindingCheck check;
    check.operation = model.findOperation(operationName);
    if (!check.operation) {
        check.refusal = Refusal::noOperation;
        check.message = "Operation \"" + operationName + "\" doesn't exist\n";
        return check;
    }
    if (objects.size() != check.operation->params.size()) {
        check.refusal = Refusal::wrongCount;
        check.message = "Wrong number of parameters\n";
        return check;
    }
    bindParameters(*check.operation, objects, check);
    if (check.passed() && !constraintsHold(*check.operation)) check.refusal = Refusal::constraintFails;
    return check;
}

bool Grounder::groundWithoutInterning(const State& source, std::vector<GroundFact>& target,
                                      BindingCheck& check) const {
    for (const Fact* fact : source) {
        GroundFact ground{fact->name, fact->args};
        for (Atom*& arg : ground.args) arg = bindings.resolve(arg);
        const FactCheck factCheck = model.checkFact(ground.name, ground.args);
        if (!factCheck.passed()) {
            check.refusal = factCheck.mismatched ? Refusal::typeMismatch : Refusal::factRefused;
            check.object = factCheck.mismatched;
            check.expected = factCheck.expected;
            check.message = factCheck.message;
            return false;
        }
        target.push_back(std::move(ground));
    }
    return true;
}

bool Grounder::groundWithoutInterning(const Operation& operation, GroundLiterals& literals,
                                      BindingCheck& check) const {
    return groundWithoutInterning(operation.add, literals.add, check) &&
           groundWithoutInterning(operation.del, literals.del, check) &&
           groundWithoutInterning(operation.pre, literals.pre, check);
}

OperationInstance* Grounder::instantiate(const std::string& operationName, const std::vector<Atom*>& objects) {
    const BindingCheck check = checkBinding(operationName, objects);
    if (!check.passed()) {
        if (!check.message.empty()) diagnostics.append(check.message);
        return nullptr;
    }
    const Operation* operation = check.operation;
    if (OperationInstance* existing = instances.findBinding(operationName, objects)) return existing;

    for (State* set : {&scratch.pre, &scratch.add, &scratch.del}) set->clear();
    // add, del, pre: the order in which new facts enter the pool.
    if (!groundState(scratch.add, operation->add) || !groundState(scratch.del, operation->del) ||
        !groundState(scratch.pre, operation->pre)) {
        return nullptr;
    }
    if (options.filterReds) {
        if (OperationInstance* earlier = instances.findSameSets(scratch.pre, scratch.add, scratch.del)) return earlier;
    }
    return instances.append(*operation, objects, scratch.pre, scratch.add, scratch.del);
}

bool Grounder::candidatesOf(const Operation& operation, std::vector<std::vector<Atom*>>& candidates,
                            WorkControl* control) const {
    candidates.clear();
    for (const Variable* parameter : operation.params) {
        std::vector<Atom*> fitting;
        for (const auto& [atomName, atom] : model.atoms) {
            if (control && control->shouldStop()) return false;
            if (model.fits(*atom, parameter->type)) fitting.push_back(atom.get());
        }
        if (fitting.empty()) return false;
        candidates.push_back(std::move(fitting));
    }
    return true;
}

template <class Visit>
bool Grounder::forEachTuple(const std::vector<std::vector<Atom*>>& candidates, Visit visit) {
    std::vector<std::size_t> counts;
    counts.reserve(candidates.size());
    for (const auto& fitting : candidates) counts.push_back(fitting.size());
    BindingOdometer odometer(std::move(counts));
    if (!odometer.any()) return true;
    std::vector<Atom*> tuple(candidates.size());
    do {
        for (std::size_t i = 0; i < candidates.size(); ++i) tuple[i] = candidates[i][odometer[i]];
        if (!visit(tuple, odometer)) return false;
    } while (odometer.advance());
    return true;
}

bool Grounder::buildAll(WorkControl* control) {
    instances.clear();
    std::vector<std::vector<Atom*>> candidates;
    for (const auto& [name, operation] : model.operations) {
        if (!candidatesOf(*operation, candidates, control)) {
            if (control && control->shouldStop()) return false;
            continue;
        }
        // The tuples bound how many instances the operation adds; the cap keeps
        // a walk that refuses most of them from reserving far more than it keeps.
        std::size_t tuples = 1;
        for (const auto& fitting : candidates) tuples = std::min(tuples * fitting.size(), maxReservedInstances);
        instances.reserve(instances.size() + tuples);
        std::vector<LiteralCache> caches;
        for (const State* literals : {&operation->add, &operation->del, &operation->pre}) {
            for (const Fact* literal : *literals) caches.emplace_back(*literal, *operation, candidates);
        }
        const bool finished = forEachTuple(candidates, [&](const std::vector<Atom*>& tuple,
                                                           const BindingOdometer& odometer) {
            if (control) {
                if (control->shouldStop()) return false;
                control->first.fetch_add(1, std::memory_order_relaxed);
            }
            instantiateBinding(*operation, tuple, odometer, caches);
            if (control) control->second.store(instances.size(), std::memory_order_relaxed);
            return true;
        });
        if (!finished) return false;
    }
    return true;
}

std::vector<Binding> Grounder::fullBuildBindings() {
    std::vector<Binding> bindings;
    // The sets of every binding kept, as sorted lists, for the redundancy filter.
    std::set<std::array<std::vector<GroundFact>, 3>> keptSets;
    std::vector<std::vector<Atom*>> candidates;
    for (const auto& [name, operation] : model.operations) {
        if (!candidatesOf(*operation, candidates)) continue;
        forEachTuple(candidates, [&](const std::vector<Atom*>& tuple, const BindingOdometer&) {
            BindingCheck check = checkBinding(name, tuple);
            GroundLiterals literals;
            if (!check.passed() || !groundWithoutInterning(*operation, literals, check)) return true;
            std::array<std::vector<GroundFact>, 3> sets{literals.pre, literals.add, literals.del};
            for (auto& set : sets) {
                std::sort(set.begin(), set.end());
                set.erase(std::unique(set.begin(), set.end()), set.end());
            }
            if (!keptSets.insert(std::move(sets)).second && options.filterReds) return true;
            bindings.emplace_back(operation.get(), tuple);
            return true;
        });
    }
    return bindings;
}

int countInstances(const InstanceList& instances, const Operation& operation) {
    return instances.countOf(operation.name);
}

}  // namespace vexmolda

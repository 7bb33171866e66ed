#include "domain/Model.h"

#include <memory>

namespace vexmolda {

Type* Model::declareType(const std::string& name, Type* parent, Diagnostics& diagnostics) {
    return types.declare(name, [&] { return std::make_unique<Type>(name, parent); }, diagnostics);
}

Atom* Model::declareAtom(const std::string& name, Type* type, Diagnostics& diagnostics) {
    return atoms.declare(name, [&] { return std::make_unique<Atom>(name, type); }, diagnostics);
}

Predicate* Model::declarePredicate(const std::string& name, Diagnostics& diagnostics) {
    return predicates.declare(name, [&] { return std::make_unique<Predicate>(name); }, diagnostics);
}

Operation* Model::declareOperation(const std::string& name, Diagnostics& diagnostics) {
    return operations.declare(name, [&] { return std::make_unique<Operation>(name); }, diagnostics);
}

FactCheck Model::checkFact(const std::string& name, const std::vector<Atom*>& args) const {
    const Predicate* predicate = findPredicate(name);
    if (!predicate) return {"Predicate \"" + name + "\" doesn't exist\n"};
    if (args.size() != predicate->args.size()) return {"Wrong number of parameters\n"};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const Type* expected = predicate->args[i]->type;
        if (args[i]->type != expected && expected != anyType) {
            return {"Type mismatch, " + args[i]->name + " is type " + args[i]->type->name + ", but " +
                        expected->name + " expected\n",
                    args[i], expected};
        }
    }
    return {};
}

Fact* Model::makeFact(const std::string& name, const std::vector<Atom*>& args, Diagnostics& diagnostics) {
    return makeFactIn(facts, name, args, diagnostics);
}

Fact* Model::makeFactIn(FactPool& pool, const std::string& name, const std::vector<Atom*>& args,
                        Diagnostics& diagnostics) const {
    const FactCheck check = checkFact(name, args);
    if (!check.passed()) {
        diagnostics.append(check.message);
        return nullptr;
    }
    return pool.intern(name, args);
}

bool Model::fits(const Atom& atom, const Type* parameterType) const {
    if (parameterType == anyType) return true;
    for (const Type* type = atom.type; type; type = type->parent) {
        if (type == parameterType) return true;
    }
    return false;
}

void Model::clear() {
    anyType = nullptr;
    types.clear();
    // "any" is made while the types are gone, before any other object: a
    // message from it is impossible, so none is kept.
    class Silent : public Diagnostics {
        void append(std::string) override {}
    } silent;
    anyType = declareType("any", nullptr, silent);
    atoms.clear();
    // States refer to facts: empty them before the facts go.
    initState.clear();
    goalState.clear();
    operations.clear();
    predicates.clear();
    facts.clear();
}

}  // namespace vexmolda

#pragma once
// Predicate declarations, interned facts, and their text forms.

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "domain/Atom.h"
#include "domain/CreationSequence.h"

namespace vexmolda {

// One record for declarations (typed), facts of states and operation literals.
struct Fact : Sequenced {
    Fact(std::string name, bool typed, std::vector<Atom*> args)
        : name(std::move(name)), typed(typed), args(std::move(args)) {}

    std::string name;
    bool typed;
    std::vector<Atom*> args;
    // Position in the model's fact pool: dense ids for the solvers; -1 for declarations.
    int id = -1;
};

// A predicate declaration: its args are the Variables it owns.
struct Predicate : Fact {
    explicit Predicate(std::string name) : Fact(std::move(name), true, {}) {}
    void addParameter(std::unique_ptr<Variable> variable) {
        variable->position = args.size();
        args.push_back(variable.get());
        variables.push_back(std::move(variable));
    }
    std::vector<std::unique_ptr<Variable>> variables;
};

// Every fact made by Model::makeFact, in creation order; one name with one argument
// list is one Fact for the whole run. A pool layered over a base is where one
// piece of work puts the facts it makes while the base is read by others.
class FactPool {
public:
    // An empty pool; over a base, lookups see the base's facts first and new
    // facts continue its ids (the base must not change while the layer lives).
    explicit FactPool(const FactPool* base = nullptr);
    // The interned fact, made on first request; unchanged when making it throws.
    Fact* intern(const std::string& name, const std::vector<Atom*>& args);
    // The fact of that name and arguments, in this pool or its base; null when none.
    Fact* find(const std::string& name, const std::vector<Atom*>& args) const;
    // Moves every fact of a pool layered over this one to the end of this one, in its order.
    void absorb(FactPool& layer);
    void clear();
    // Facts of this pool alone (not the base's).
    std::size_t size() const { return facts.size(); }
    Fact* operator[](std::size_t id) const { return facts[id - firstId].get(); }

private:
    static std::size_t hashOf(const std::string& name, const std::vector<Atom*>& args);
    Fact* findHere(const std::string& name, const std::vector<Atom*>& args) const;
    // Room in the index for that many facts; the only step of a change that allocates there.
    void reserveIndex(std::size_t count);
    // Enters a fact into an index with room for it; never throws.
    void place(Fact* fact);

    const FactPool* base = nullptr;
    std::size_t firstId = 0;  // the id of this pool's first fact
    std::vector<std::unique_ptr<Fact>> facts;
    // Open addressing over the facts themselves (null: a free slot), so an
    // entry exists only with its fact.
    std::vector<Fact*> index;
};

// What makeFact's checks say about a fact, without interning it.
struct FactCheck {
    std::string message;               // makeFact's message; empty when the fact passes
    const Atom* mismatched = nullptr;  // for a type mismatch: the argument
    const Type* expected = nullptr;    // and the type its position wants
    bool passed() const { return message.empty(); }
};

// "name(a,b)" for facts, "name(type:a, type:b)" for declarations.
std::string factText(const Fact& fact);

}  // namespace vexmolda

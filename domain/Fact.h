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
        args.push_back(variable.get());
        variables.push_back(std::move(variable));
    }
    std::vector<std::unique_ptr<Variable>> variables;
};

// Every fact made by Model::makeFact, in creation order; one name with one argument
// list is one Fact for the whole run.
class FactPool {
public:
    // The interned fact, made on first request.
    Fact* intern(const std::string& name, const std::vector<Atom*>& args);
    void clear();
    std::size_t size() const { return facts.size(); }
    Fact* operator[](std::size_t id) const { return facts[id].get(); }

private:
    struct KeyHash {
        std::size_t operator()(const std::pair<std::string, std::vector<Atom*>>& key) const;
    };
    std::vector<std::unique_ptr<Fact>> facts;
    std::unordered_map<std::pair<std::string, std::vector<Atom*>>, Fact*, KeyHash> index;
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

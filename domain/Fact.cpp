#include "domain/Fact.h"

#include <functional>

#include "command/TextBuffer.h"

namespace vexmolda {

FactPool factPool;
NameRegistry<Predicate> predicates;

std::size_t FactPool::KeyHash::operator()(
    const std::pair<std::string, std::vector<Atom*>>& key) const {
    std::size_t hash = std::hash<std::string>()(key.first);
    for (const Atom* arg : key.second) {
        hash = hash * 1000003u ^ std::hash<const Atom*>()(arg);
    }
    return hash;
}

Fact* FactPool::intern(const std::string& name, const std::vector<Atom*>& args) {
    auto [position, inserted] = index.try_emplace({name, args}, nullptr);
    if (inserted) {
        facts.push_back(std::make_unique<Fact>(name, false, args));
        facts.back()->id = static_cast<int>(facts.size() - 1);
        position->second = facts.back().get();
    }
    return position->second;
}

void FactPool::clear() {
    index.clear();
    facts.clear();
}

Predicate* declarePredicate(const std::string& name) {
    return predicates.declare(name, [&] { return std::make_unique<Predicate>(name); });
}

Predicate* findPredicate(const std::string& name) { return predicates.find(name); }

FactCheck checkFact(const std::string& name, const std::vector<Atom*>& args) {
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

Fact* makeFact(const std::string& name, const std::vector<Atom*>& args) {
    const FactCheck check = checkFact(name, args);
    if (!check.passed()) {
        messages.append(check.message);
        return nullptr;
    }
    return factPool.intern(name, args);
}

void clearPredicatesAndFacts() {
    predicates.clear();
    factPool.clear();
}

std::string factText(const Fact& fact) {
    std::string text = fact.name + "(";
    for (std::size_t i = 0; i < fact.args.size(); ++i) {
        if (i > 0) text += fact.typed ? ", " : ",";
        if (fact.typed) text += fact.args[i]->type->name + ":";
        text += fact.args[i]->name;
    }
    return text + ")";
}

}  // namespace vexmolda

#include "domain/Fact.h"

#include <algorithm>
#include <cassert>
#include <functional>


namespace vexmolda {

std::size_t FactPool::hashOf(const std::string& name, const std::vector<Atom*>& args) {
    std::size_t hash = std::hash<std::string>()(name);
    for (const Atom* arg : args) {
        hash = hash * 1000003u ^ std::hash<const Atom*>()(arg);
    }
    // Linear probing takes the low bits, which aligned addresses leave alike: mix them in.
    hash ^= hash >> 29;
    hash *= 0xbf58476d1ce4e5b9ull;
    return hash ^ (hash >> 32);
}

FactPool::FactPool(const FactPool* base) : base(base), firstId(base ? base->firstId + base->size() : 0) {}

Fact* FactPool::findHere(const std::string& name, const std::vector<Atom*>& args) const {
    if (index.empty()) return nullptr;
    const std::size_t mask = index.size() - 1;
    for (std::size_t slot = hashOf(name, args) & mask; index[slot]; slot = (slot + 1) & mask) {
        if (index[slot]->name == name && index[slot]->args == args) return index[slot];
    }
    return nullptr;
}

Fact* FactPool::find(const std::string& name, const std::vector<Atom*>& args) const {
    if (base) {
        if (Fact* fact = base->find(name, args)) return fact;
    }
    return findHere(name, args);
}

void FactPool::place(Fact* fact) {
    assert(!index.empty());
    const std::size_t mask = index.size() - 1;
    std::size_t slot = hashOf(fact->name, fact->args) & mask;
    while (index[slot]) slot = (slot + 1) & mask;
    index[slot] = fact;
}

void FactPool::reserveIndex(std::size_t count) {
    // At most three quarters full.
    if (count * 4 <= index.size() * 3) return;
    std::size_t size = std::max<std::size_t>(16, index.size());
    while (count * 4 > size * 3) size *= 2;
    std::vector<Fact*> grown(size, nullptr);
    grown.swap(index);
    for (Fact* fact : grown) {
        if (fact) place(fact);
    }
}

Fact* FactPool::intern(const std::string& name, const std::vector<Atom*>& args) {
    if (Fact* fact = find(name, args)) return fact;
    // Everything that may throw comes first: a bad_alloc leaves the pool as it was.
    reserveIndex(facts.size() + 1);
    // Doubling, as push_back would, but before the fact exists.
    if (facts.size() == facts.capacity()) facts.reserve(std::max<std::size_t>(16, facts.capacity() * 2));
    auto fact = std::make_unique<Fact>(name, false, args);
    fact->id = static_cast<int>(firstId + facts.size());
    place(fact.get());
    facts.push_back(std::move(fact));
    return facts.back().get();
}

void FactPool::absorb(FactPool& layer) {
    assert(layer.base == this && layer.firstId == firstId + facts.size());
    const std::size_t total = facts.size() + layer.facts.size();
    reserveIndex(total);
    facts.reserve(total);
    for (std::unique_ptr<Fact>& fact : layer.facts) {
        place(fact.get());
        facts.push_back(std::move(fact));
    }
    layer.facts.clear();
    layer.index.clear();
}

void FactPool::clear() {
    index.clear();
    facts.clear();
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

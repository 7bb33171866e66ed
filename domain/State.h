#pragma once
// Sets of facts: states of the world, goals and the literal sets of operations.

#include <string>
#include <vector>

#include "domain/Fact.h"

namespace vexmolda {

// An ordered set of interned facts without duplicates, in creation order.
class State {
public:
    // Inserts the fact unless present; returns whether it was new.
    bool insert(Fact* fact);
    bool erase(Fact* fact);
    bool contains(const Fact* fact) const;
    void clear() { facts.clear(); }
    // Room for that many facts, so a set built once wastes no capacity.
    void reserve(std::size_t count) { facts.reserve(count); }
    std::size_t size() const { return facts.size(); }
    bool empty() const { return facts.empty(); }
    std::vector<Fact*>::const_iterator begin() const { return facts.begin(); }
    std::vector<Fact*>::const_iterator end() const { return facts.end(); }
    Fact* operator[](std::size_t i) const { return facts[i]; }
    bool operator==(const State& other) const { return facts == other.facts; }

private:
    std::vector<Fact*> facts;
};

// Each fact's text, separated by ", ", then a line feed.
std::string stateText(const State& state);

}  // namespace vexmolda

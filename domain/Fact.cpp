#include "domain/Fact.h"

#include <functional>


namespace vexmolda {

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

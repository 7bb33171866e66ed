#include "domain/State.h"

#include <algorithm>

#include "domain/FactSpan.h"

namespace vexmolda {

namespace {

bool earlier(const Fact* left, const Fact* right) { return left->sequence < right->sequence; }

}  // namespace

bool State::insert(Fact* fact) {
    auto position = std::lower_bound(facts.begin(), facts.end(), fact, earlier);
    if (position != facts.end() && *position == fact) return false;
    facts.insert(position, fact);
    return true;
}

bool State::erase(Fact* fact) {
    auto position = std::lower_bound(facts.begin(), facts.end(), fact, earlier);
    if (position == facts.end() || *position != fact) return false;
    facts.erase(position);
    return true;
}

bool State::contains(const Fact* fact) const {
    auto position = std::lower_bound(facts.begin(), facts.end(), fact, earlier);
    return position != facts.end() && *position == fact;
}

std::string stateText(const State& state) { return stateText(FactSpan(state)); }

std::string stateText(FactSpan state) {
    std::string text;
    for (std::size_t i = 0; i < state.size(); ++i) {
        if (i > 0) text += ", ";
        text += factText(*state[i]);
    }
    return text + "\n";
}

}  // namespace vexmolda

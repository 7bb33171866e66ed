#pragma once
// A read-only view of a fact set stored elsewhere, ordered as a State is.

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>

#include "domain/State.h"

namespace vexmolda {

// Facts without duplicates in creation order; a State converts to it.
class FactSpan {
public:
    FactSpan() = default;
    FactSpan(Fact* const* first, std::size_t count) : facts(first, count) {}
    FactSpan(const State& state) : facts(state.begin(), state.end()) {}

    std::size_t size() const { return facts.size(); }
    bool empty() const { return facts.empty(); }
    Fact* const* begin() const { return facts.data(); }
    Fact* const* end() const { return facts.data() + facts.size(); }
    Fact* operator[](std::size_t i) const { return facts[i]; }
    // Binary search by creation order, as State::contains.
    bool contains(const Fact* fact) const {
        const auto position = std::lower_bound(begin(), end(), fact, [](const Fact* left, const Fact* right) {
            return left->sequence < right->sequence;
        });
        return position != end() && *position == fact;
    }
    bool operator==(const FactSpan& other) const { return std::equal(begin(), end(), other.begin(), other.end()); }

private:
    std::span<Fact* const> facts;
};

// Each fact's text, separated by ", ", then a line feed.
std::string stateText(FactSpan facts);

}  // namespace vexmolda

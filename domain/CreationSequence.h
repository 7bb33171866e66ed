#pragma once
// The creation order that every "ordered by address" set uses.

#include <cstdint>

namespace vexmolda {

// The next number of the creation sequence (never reused, shared by every model).
std::uint64_t nextCreationNumber();

// Base of everything that sets order by creation: facts, atoms, variables,
// types and constraints. Gives output that is the same on every run.
struct Sequenced {
    const std::uint64_t sequence = nextCreationNumber();
};

// Orders pointers to Sequenced objects by creation.
struct BySequence {
    bool operator()(const Sequenced* left, const Sequenced* right) const {
        return left->sequence < right->sequence;
    }
};

}  // namespace vexmolda

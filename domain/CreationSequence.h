#pragma once
// The process-wide creation order that every "ordered by address" set uses.

#include <cstdint>

namespace vexmolda {

// The next number of the process-wide creation sequence (never reused).
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

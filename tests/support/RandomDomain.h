#pragma once
// Small random domains of zero-argument operations, for comparing a solver
// with a literal reference version of it.

#include <cstdint>
#include <string>
#include <vector>

namespace vexmolda::testing {

// How a random domain is drawn: facts f0..f(facts-1), 3 + draw(extraOperations)
// operations, and the chance in percent of each fact in each list.
struct RandomDomainShape {
    int facts;
    int extraOperations;
    int prePercent;
    int addPercent;
    int delPercent;
    int initPercent;
    int goalPercent;
};

// The command lines of one domain; advances seed, so calls in a row give a series.
std::vector<std::string> randomDomain(std::uint32_t& seed, const RandomDomainShape& shape);

}  // namespace vexmolda::testing

#include "pddl/Negation.h"

#include <algorithm>

namespace vexmolda {

namespace {

bool isPlainFact(const GroundTask& ground, int fact) { return ground.facts[fact].role == FactRole::Plain; }

}  // namespace

void compileNegations(GroundTask& ground) {
    for (const GroundOperation& operation : ground.operations) {
        for (GroundLiteral literal : operation.pre) {
            if (isNegated(literal)) ground.complemented.insert(ground.facts[literalFact(literal)].predicate);
        }
    }
    for (GroundLiteral literal : ground.goal) {
        if (isNegated(literal)) ground.complemented.insert(ground.facts[literalFact(literal)].predicate);
    }
    if (ground.complemented.empty()) return;
    // Only facts some condition, effect or the initial state names can matter.
    const int known = ground.facts.size();
    std::vector<int> complement(known, -1);
    for (int fact = 0; fact < known; ++fact) {
        const PddlGroundFact& plain = ground.facts[fact];
        if (isPlainFact(ground, fact) && ground.complemented.count(plain.predicate)) {
            complement[fact] = ground.facts.intern(plain.predicate, plain.objects, FactRole::Complement);
        }
    }
    std::vector<bool> initially(known, false);
    for (int fact : ground.init) initially[fact] = true;
    for (int fact = 0; fact < known; ++fact) {
        if (complement[fact] >= 0 && !initially[fact]) ground.init.push_back(complement[fact]);
    }
    auto positive = [&](Conjunction& literals) {
        for (GroundLiteral& literal : literals) {
            if (isNegated(literal)) literal = positiveLiteral(complement[literalFact(literal)]);
        }
        std::sort(literals.begin(), literals.end());
        literals.erase(std::unique(literals.begin(), literals.end()), literals.end());
    };
    positive(ground.goal);
    for (GroundOperation& operation : ground.operations) {
        positive(operation.pre);
        std::vector<int> add = operation.add;
        std::vector<int> del = operation.del;
        for (int fact : operation.add) {
            if (fact < known && complement[fact] >= 0) del.push_back(complement[fact]);
        }
        for (int fact : operation.del) {
            if (fact < known && complement[fact] >= 0) add.push_back(complement[fact]);
        }
        operation.add = std::move(add);
        operation.del = std::move(del);
    }
}

}  // namespace vexmolda

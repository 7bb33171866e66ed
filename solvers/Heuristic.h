#pragma once
// The heuristic interface and the registry of heuristic factories by name.

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "domain/State.h"
#include "solvers/RelaxedTask.h"

namespace vexmolda {

// An estimate of the cost from a state to the goal; one object serves one
// run and is built once from the relaxed task. States are the packed words
// of PackedTask. A heuristic whose value depends on the path to a state
// (landmarks reached) keeps a status per state that a search carries.
class Heuristic {
public:
    virtual ~Heuristic() = default;
    // 64-bit words of the per-state status; 0 when the value needs none.
    virtual std::size_t statusWords() const { return 0; }
    // The initial state's status.
    virtual void initialStatus(const std::uint64_t* /*state*/, std::uint64_t* /*status*/) const {}
    // A child's status from its parent's status and the child's state.
    virtual void childStatus(const std::uint64_t* /*parentStatus*/, const std::uint64_t* /*child*/,
                             std::uint64_t* /*status*/) const {}
    // The value of a state with its status (null: the state met alone, after
    // the initial state); infiniteValue for a dead end. Allocates nothing.
    virtual std::int32_t evaluate(const std::uint64_t* state, const std::uint64_t* status) = 0;
    // The preferred instances of the last evaluation, ascending ids.
    virtual std::span<const std::int32_t> preferred() const { return {}; }
    // The value of a state given as facts, met alone.
    std::int32_t evaluateState(const State& state);

protected:
    explicit Heuristic(const RelaxedTask& task) : relaxed(task) {}
    const RelaxedTask& relaxed;

private:
    std::vector<std::uint64_t> packedScratch;
};

using HeuristicFactory = std::unique_ptr<Heuristic> (*)(const RelaxedTask&);
// Heuristic names in byte order to their factories: "ff", "goalcount",
// "hadd", "hmax", "lmcount".
const std::map<std::string, HeuristicFactory>& heuristicFactories();

}  // namespace vexmolda

#pragma once
// Ground operations and the list that holds them in build order.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "domain/Atom.h"
#include "domain/CreationSequence.h"
#include "domain/Operation.h"
#include "domain/FactSpan.h"
#include "domain/State.h"
#include "grounding/ChunkStore.h"

namespace vexmolda {

// An operation with every parameter bound to an object; its sets hold ground
// facts. The arguments and the sets live in storage the instance list owns:
// pre, add and del one after the other.
class OperationInstance {
public:
    OperationInstance() = default;
    OperationInstance(const Operation& operation, std::span<Atom* const> args, Fact* const* sets,
                      std::uint32_t preCount, std::uint32_t addCount, std::uint32_t delCount)
        : operation(&operation), argsData(args.data()), sets(sets), argCount(static_cast<std::uint32_t>(args.size())),
          preCount(preCount), addCount(addCount), delCount(delCount) {}

    // The operation's name: an instance's name is made from it when shown.
    const std::string& name() const { return operation->name; }
    const Operation& source() const { return *operation; }
    // Its own count: an operation without parameters may gain some after instances were made.
    std::span<Atom* const> args() const { return {argsData, argCount}; }
    FactSpan pre() const { return {sets, preCount}; }
    FactSpan add() const { return {sets + preCount, addCount}; }
    FactSpan del() const { return {sets + preCount + addCount, delCount}; }

    // Position in its instance list: dense ids for the solvers.
    int id = -1;

private:
    const Operation* operation = nullptr;
    Atom* const* argsData = nullptr;
    Fact* const* sets = nullptr;
    std::uint32_t argCount = 0;
    std::uint32_t preCount = 0;
    std::uint32_t addCount = 0;
    std::uint32_t delCount = 0;
};

// Every instance in the order appended; entries keep their address until the
// list is cleared. Indexed so the existence and redundancy checks find the
// first matching entry without a scan.
class InstanceList {
public:
    InstanceList() = default;
    // Entries point into the list's own storage, which a move keeps: moved, never copied.
    InstanceList(const InstanceList&) = delete;
    InstanceList& operator=(const InstanceList&) = delete;
    InstanceList(InstanceList&&) = default;
    InstanceList& operator=(InstanceList&&) = default;

    std::size_t size() const { return entries.size(); }
    bool empty() const { return entries.empty(); }
    OperationInstance* operator[](std::size_t i) const { return entries[i]; }
    std::vector<OperationInstance*>::const_iterator begin() const { return entries.begin(); }
    std::vector<OperationInstance*>::const_iterator end() const { return entries.end(); }

    // The first entry of that name and those arguments, or null. Indexes the
    // entries appended since the last call: a full build never asks.
    OperationInstance* findBinding(const std::string& name, std::span<Atom* const> args);
    // The first entry whose pre, add and del equal those of the given one, or null.
    OperationInstance* findSameSets(FactSpan pre, FactSpan add, FactSpan del) const;
    // Appends an instance of the operation with copies of those arguments and sets; returns it.
    OperationInstance* append(const Operation& operation, std::span<Atom* const> args, FactSpan pre, FactSpan add,
                              FactSpan del);
    // Room for that many entries in all: appending up to them moves neither the sets' table nor the entries.
    void reserve(std::size_t count);
    void clear();
    // Entries carrying that operation name, counted as they are appended.
    int countOf(const std::string& name) const;
    // Changes whenever the list is emptied: views see rebuilt instances by it.
    std::uint64_t contentStamp() const { return stamp; }

private:
    // Open addressing over entry positions with each entry's hash beside it;
    // a position is added only when no equal entry is indexed yet, so a probe
    // finds the first matching entry, as a scan from the front would.
    struct Slot {
        std::uint32_t entry;
        std::uint32_t hash;
    };
    static constexpr std::uint32_t freeSlot = 0xffffffffu;
    static std::uint32_t bindingHash(const std::string& name, std::span<Atom* const> args);
    static std::uint32_t setsHash(FactSpan pre, FactSpan add, FactSpan del);
    static void place(std::vector<Slot>& slots, Slot slot);
    // The table grown (a power of two, rehashed) until count positions fit.
    static void reserveSlots(std::vector<Slot>& slots, std::size_t count);
    OperationInstance* probeBinding(const std::string& name, std::span<Atom* const> args) const;
    // Adds the entries not yet in the binding table.
    void indexBindings();

    std::vector<OperationInstance*> entries;
    ChunkStore<OperationInstance> records;
    ChunkStore<Atom*> arguments;
    ChunkStore<Fact*> facts;
    std::uint64_t stamp = nextCreationNumber();
    std::vector<Slot> byBinding;
    std::vector<Slot> bySets;
    std::size_t bindingsIndexed = 0;  // entries the binding table has considered
    std::unordered_map<std::string, int> countsByName;
};

}  // namespace vexmolda

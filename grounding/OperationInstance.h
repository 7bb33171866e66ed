#pragma once
// Ground operations and the list that holds them in build order.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "domain/Atom.h"
#include "domain/CreationSequence.h"
#include "domain/Operation.h"
#include "domain/State.h"

namespace vexmolda {

// An operation with every parameter bound to an object; its sets hold ground facts.
struct OperationInstance {
    std::string name;
    bool typed = false;
    // Position in its instance list: dense ids for the solvers.
    int id = -1;
    std::vector<Atom*> args;
    State pre;
    State add;
    State del;
};

// Every instance in the order appended; entries keep their address until the
// list is cleared. Indexed so the existence and redundancy checks find the
// first matching entry without a scan.
class InstanceList {
public:
    std::size_t size() const { return entries.size(); }
    bool empty() const { return entries.empty(); }
    OperationInstance* operator[](std::size_t i) const { return entries[i].get(); }
    std::vector<std::unique_ptr<OperationInstance>>::const_iterator begin() const { return entries.begin(); }
    std::vector<std::unique_ptr<OperationInstance>>::const_iterator end() const { return entries.end(); }

    // The first entry of that name and those arguments, or null.
    OperationInstance* findBinding(const std::string& name, const std::vector<Atom*>& args) const;
    // The first entry whose pre, add and del equal those of the given one, or null.
    OperationInstance* findSameSets(const OperationInstance& instance) const;
    void append(std::unique_ptr<OperationInstance> instance);
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
    static std::uint32_t bindingHash(const std::string& name, const std::vector<Atom*>& args);
    static std::uint32_t setsHash(const OperationInstance& instance);
    static void place(std::vector<Slot>& slots, Slot slot);
    void grow();

    std::vector<std::unique_ptr<OperationInstance>> entries;
    std::uint64_t stamp = nextCreationNumber();
    std::vector<Slot> byBinding;
    std::vector<Slot> bySets;
    std::size_t indexed = 0;  // entries in the larger of the two tables
    std::unordered_map<std::string, int> countsByName;
};

}  // namespace vexmolda

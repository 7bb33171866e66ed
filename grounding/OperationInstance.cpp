#include "grounding/OperationInstance.h"

#include <algorithm>
#include <cassert>
#include <functional>

namespace vexmolda {

namespace {

std::uint64_t mix(std::uint64_t hash, std::uint64_t value) {
    hash = (hash ^ value) * 0x9e3779b97f4a7c15ull;
    return hash ^ (hash >> 31);
}

std::uint64_t hashState(std::uint64_t hash, const State& state) {
    hash = mix(hash, state.size());
    for (const Fact* fact : state) hash = mix(hash, static_cast<std::uint64_t>(fact->id));
    return hash;
}

std::uint32_t fold(std::uint64_t hash) {
    hash *= 0xff51afd7ed558ccdull;
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

bool sameSets(const OperationInstance& left, const OperationInstance& right) {
    return left.pre == right.pre && left.add == right.add && left.del == right.del;
}

}  // namespace

std::uint32_t InstanceList::bindingHash(const std::string& name, const std::vector<Atom*>& args) {
    std::uint64_t hash = std::hash<std::string>()(name);
    for (const Atom* arg : args) hash = mix(hash, reinterpret_cast<std::uintptr_t>(arg));
    return fold(hash);
}

std::uint32_t InstanceList::setsHash(const OperationInstance& instance) {
    return fold(hashState(hashState(hashState(0, instance.pre), instance.add), instance.del));
}

OperationInstance* InstanceList::findBinding(const std::string& name, const std::vector<Atom*>& args) const {
    if (byBinding.empty()) return nullptr;
    const std::uint32_t hash = bindingHash(name, args);
    const std::size_t mask = byBinding.size() - 1;
    for (std::size_t slot = hash & mask; byBinding[slot].entry != freeSlot; slot = (slot + 1) & mask) {
        if (byBinding[slot].hash != hash) continue;
        OperationInstance* entry = entries[byBinding[slot].entry].get();
        if (entry->name == name && entry->args == args) return entry;
    }
    return nullptr;
}

OperationInstance* InstanceList::findSameSets(const OperationInstance& instance) const {
    if (bySets.empty()) return nullptr;
    const std::uint32_t hash = setsHash(instance);
    const std::size_t mask = bySets.size() - 1;
    for (std::size_t slot = hash & mask; bySets[slot].entry != freeSlot; slot = (slot + 1) & mask) {
        if (bySets[slot].hash != hash) continue;
        OperationInstance* entry = entries[bySets[slot].entry].get();
        if (sameSets(*entry, instance)) return entry;
    }
    return nullptr;
}

void InstanceList::place(std::vector<Slot>& slots, Slot value) {
    const std::size_t mask = slots.size() - 1;
    std::size_t slot = value.hash & mask;
    while (slots[slot].entry != freeSlot) slot = (slot + 1) & mask;
    slots[slot] = value;
}

void InstanceList::grow() {
    const std::size_t size = std::max<std::size_t>(64, byBinding.size() * 2);
    std::vector<Slot> oldBinding(size, Slot{freeSlot, 0});
    std::vector<Slot> oldSets(size, Slot{freeSlot, 0});
    oldBinding.swap(byBinding);
    oldSets.swap(bySets);
    for (const Slot& slot : oldBinding) {
        if (slot.entry != freeSlot) place(byBinding, slot);
    }
    for (const Slot& slot : oldSets) {
        if (slot.entry != freeSlot) place(bySets, slot);
    }
}

void InstanceList::append(std::unique_ptr<OperationInstance> instance) {
    assert(entries.size() < freeSlot);
    const auto position = static_cast<std::uint32_t>(entries.size());
    instance->id = static_cast<int>(position);
    OperationInstance& entry = *instance;
    // What allocates comes first, so a bad_alloc leaves the list as it was.
    // At most three quarters full; the stored hashes keep probes cheap.
    if ((indexed + 1) * 4 > byBinding.size() * 3) grow();
    int& count = countsByName[entry.name];
    entries.push_back(std::move(instance));
    ++count;
    ++indexed;
    // Only the first entry of a key is indexed: the one a scan from the front finds.
    if (!findBinding(entry.name, entry.args)) place(byBinding, Slot{position, bindingHash(entry.name, entry.args)});
    if (!findSameSets(entry)) place(bySets, Slot{position, setsHash(entry)});
}

int InstanceList::countOf(const std::string& name) const {
    const auto found = countsByName.find(name);
    return found == countsByName.end() ? 0 : found->second;
}

void InstanceList::clear() {
    countsByName.clear();
    byBinding.clear();
    bySets.clear();
    indexed = 0;
    entries.clear();
    stamp = nextCreationNumber();
}

}  // namespace vexmolda

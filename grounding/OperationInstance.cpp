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

std::uint64_t hashState(std::uint64_t hash, FactSpan state) {
    hash = mix(hash, state.size());
    for (const Fact* fact : state) hash = mix(hash, static_cast<std::uint64_t>(fact->id));
    return hash;
}

std::uint32_t fold(std::uint64_t hash) {
    hash *= 0xff51afd7ed558ccdull;
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

bool sameSets(const OperationInstance& entry, FactSpan pre, FactSpan add, FactSpan del) {
    return entry.pre() == pre && entry.add() == add && entry.del() == del;
}

// Copies the facts after those already at target; the end of the copy.
Fact** copyFacts(FactSpan source, Fact** target) { return std::copy(source.begin(), source.end(), target); }

}  // namespace

std::uint32_t InstanceList::bindingHash(const std::string& name, std::span<Atom* const> args) {
    std::uint64_t hash = std::hash<std::string>()(name);
    for (const Atom* arg : args) hash = mix(hash, reinterpret_cast<std::uintptr_t>(arg));
    return fold(hash);
}

std::uint32_t InstanceList::setsHash(FactSpan pre, FactSpan add, FactSpan del) {
    return fold(hashState(hashState(hashState(0, pre), add), del));
}

OperationInstance* InstanceList::findBinding(const std::string& name, std::span<Atom* const> args) {
    indexBindings();
    return probeBinding(name, args);
}

OperationInstance* InstanceList::probeBinding(const std::string& name, std::span<Atom* const> args) const {
    if (byBinding.empty()) return nullptr;
    const std::uint32_t hash = bindingHash(name, args);
    const std::size_t mask = byBinding.size() - 1;
    for (std::size_t slot = hash & mask; byBinding[slot].entry != freeSlot; slot = (slot + 1) & mask) {
        if (byBinding[slot].hash != hash) continue;
        OperationInstance* entry = entries[byBinding[slot].entry];
        if (entry->name() == name && std::ranges::equal(entry->args(), args)) return entry;
    }
    return nullptr;
}

void InstanceList::indexBindings() {
    reserveSlots(byBinding, entries.size());
    for (; bindingsIndexed < entries.size(); ++bindingsIndexed) {
        const OperationInstance& entry = *entries[bindingsIndexed];
        // Only the first entry of a key is indexed: the one a scan from the front finds.
        if (probeBinding(entry.name(), entry.args())) continue;
        const auto position = static_cast<std::uint32_t>(bindingsIndexed);
        place(byBinding, Slot{position, bindingHash(entry.name(), entry.args())});
    }
}

OperationInstance* InstanceList::findSameSets(FactSpan pre, FactSpan add, FactSpan del) const {
    if (bySets.empty()) return nullptr;
    const std::uint32_t hash = setsHash(pre, add, del);
    const std::size_t mask = bySets.size() - 1;
    for (std::size_t slot = hash & mask; bySets[slot].entry != freeSlot; slot = (slot + 1) & mask) {
        if (bySets[slot].hash != hash) continue;
        OperationInstance* entry = entries[bySets[slot].entry];
        if (sameSets(*entry, pre, add, del)) return entry;
    }
    return nullptr;
}

void InstanceList::place(std::vector<Slot>& slots, Slot value) {
    const std::size_t mask = slots.size() - 1;
    std::size_t slot = value.hash & mask;
    while (slots[slot].entry != freeSlot) slot = (slot + 1) & mask;
    slots[slot] = value;
}

void InstanceList::reserveSlots(std::vector<Slot>& slots, std::size_t count) {
    // At most three quarters full; the stored hashes keep probes cheap.
    std::size_t size = std::max<std::size_t>(64, slots.size());
    while (count * 4 > size * 3) size *= 2;
    if (size == slots.size()) return;
    std::vector<Slot> old(size, Slot{freeSlot, 0});
    old.swap(slots);
    for (const Slot& slot : old) {
        if (slot.entry != freeSlot) place(slots, slot);
    }
}

OperationInstance* InstanceList::append(const Operation& operation, std::span<Atom* const> args, FactSpan pre,
                                        FactSpan add, FactSpan del) {
    assert(entries.size() < freeSlot);
    assert(args.size() <= freeSlot && pre.size() <= freeSlot && add.size() <= freeSlot && del.size() <= freeSlot);
    const auto position = static_cast<std::uint32_t>(entries.size());
    // What allocates comes first, so a bad_alloc leaves the list as it was
    // (runs already taken from the stores stay unused).
    reserveSlots(bySets, entries.size() + 1);
    int& count = countsByName[operation.name];
    Atom** argsCopy = arguments.take(args.size());
    Fact** setsCopy = facts.take(pre.size() + add.size() + del.size());
    OperationInstance* entry = records.take(1);
    entries.push_back(entry);
    std::copy(args.begin(), args.end(), argsCopy);
    copyFacts(del, copyFacts(add, copyFacts(pre, setsCopy)));
    *entry = OperationInstance(operation, {argsCopy, args.size()}, setsCopy, static_cast<std::uint32_t>(pre.size()),
                               static_cast<std::uint32_t>(add.size()), static_cast<std::uint32_t>(del.size()));
    entry->id = static_cast<int>(position);
    ++count;
    // Only the first entry of a key is indexed: the one a scan from the front finds.
    if (!findSameSets(entry->pre(), entry->add(), entry->del())) {
        place(bySets, Slot{position, setsHash(entry->pre(), entry->add(), entry->del())});
    }
    return entry;
}

void InstanceList::reserve(std::size_t count) {
    reserveSlots(bySets, count);
    entries.reserve(count);
}

int InstanceList::countOf(const std::string& name) const {
    const auto found = countsByName.find(name);
    return found == countsByName.end() ? 0 : found->second;
}

void InstanceList::clear() {
    countsByName.clear();
    byBinding.clear();
    bySets.clear();
    bindingsIndexed = 0;
    entries.clear();
    records.clear();
    arguments.clear();
    facts.clear();
    stamp = nextCreationNumber();
}

}  // namespace vexmolda

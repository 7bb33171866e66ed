#include "grounding/OperationInstance.h"

#include <functional>

namespace vexmolda {

namespace {

std::size_t hashState(std::size_t hash, const State& state) {
    hash = hash * 31u + state.size();
    for (const Fact* fact : state) hash = hash * 1000003u ^ static_cast<std::size_t>(fact->id);
    return hash;
}

}  // namespace

std::size_t InstanceList::BindingHash::operator()(const BindingKey& key) const {
    std::size_t hash = std::hash<std::string>()(key.name);
    for (const Atom* arg : key.args) hash = hash * 1000003u ^ std::hash<const Atom*>()(arg);
    return hash;
}

std::size_t InstanceList::SetsHash::operator()(const OperationInstance* instance) const {
    return hashState(hashState(hashState(0, instance->pre), instance->add), instance->del);
}

bool InstanceList::SetsEqual::operator()(const OperationInstance* left,
                                         const OperationInstance* right) const {
    return left->pre == right->pre && left->add == right->add && left->del == right->del;
}

OperationInstance* InstanceList::findBinding(const std::string& name,
                                             const std::vector<Atom*>& args) const {
    auto position = byBinding.find(BindingKey{name, args});
    return position == byBinding.end() ? nullptr : position->second;
}

OperationInstance* InstanceList::findSameSets(const OperationInstance& instance) const {
    auto position = bySets.find(&instance);
    return position == bySets.end() ? nullptr : position->second;
}

void InstanceList::append(std::unique_ptr<OperationInstance> instance) {
    instance->id = static_cast<int>(entries.size());
    OperationInstance* entry = instance.get();
    entries.push_back(std::move(instance));
    // try_emplace keeps the first entry for a key: the one a scan from the front finds.
    byBinding.try_emplace(BindingKey{entry->name, entry->args}, entry);
    bySets.try_emplace(entry, entry);
}

void InstanceList::clear() {
    byBinding.clear();
    bySets.clear();
    entries.clear();
    stamp = nextCreationNumber();
}

}  // namespace vexmolda

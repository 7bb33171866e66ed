#include "solvers/InstanceFacts.h"

namespace vexmolda {

InstanceFacts::InstanceFacts(const InstanceList& instances) {
    std::size_t total = 0;
    for (const auto& instance : instances) {
        total += instance->pre().size() + instance->add().size() + instance->del().size();
    }
    ids.reserve(total);
    begins.reserve(3 * instances.size() + 1);
    for (const auto& instance : instances) {
        for (const FactSpan set : {instance->pre(), instance->add(), instance->del()}) {
            begins.push_back(static_cast<std::uint32_t>(ids.size()));
            for (const Fact* fact : set) ids.push_back(fact->id);
        }
    }
    begins.push_back(static_cast<std::uint32_t>(ids.size()));
}

}  // namespace vexmolda

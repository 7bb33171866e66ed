#include "solvers/MutexReasons.h"

#include "grounding/InstanceText.h"
#include "solvers/Mutex.h"

namespace vexmolda {

namespace {

std::string factName(const PlanningGraph& graph, std::uint32_t fact) { return factText(*graph.factNodes[fact].fact); }

}  // namespace

std::string actionName(const PlanningGraph& graph, std::uint32_t action) {
    const ActionNode& node = graph.actionNodes[action];
    if (!node.instance) return "nop(" + (node.pres.empty() ? std::string() : factName(graph, node.pres[0])) + ")";
    const std::string signature = signatureText(*node.instance);
    return signature.substr(0, signature.size() - 1);
}

std::string interferenceReason(const PlanningGraph& graph, std::uint32_t a, std::uint32_t b) {
    const InterferenceWitness witness = interference(graph, a, b);
    if (!witness.found) return {};
    return "interference: " + actionName(graph, witness.deleter) + " deletes " + factText(*witness.fact) +
           (witness.addEffect ? ", an add effect of " : ", a precondition of ") + actionName(graph, witness.other);
}

std::string actionMutexReason(const PlanningGraph& graph, std::uint32_t a, std::uint32_t b, std::uint32_t level) {
    if (level < 1 || level >= graph.actionNodes[a].mutex.size() || !graph.actionNodes[a].mutex[level].test(b))
        return {};
    // The same order of tests as computeActionMutexes: interference, then competing needs.
    if (graph.actionNodes[a].interference.test(b)) return interferenceReason(graph, a, b);
    const NeedsWitness needs = competingNeed(graph, a, b, level);
    if (!needs.found) return {};
    return "competing needs: " + factName(graph, needs.p) + " and " + factName(graph, needs.q) +
           " are mutex at level " + std::to_string(level - 1);
}

std::string factMutexReason(const PlanningGraph& graph, std::uint32_t f, std::uint32_t g, std::uint32_t level) {
    if (level < 1 || level >= graph.factNodes[f].mutex.size() || !graph.factNodes[f].mutex[level].test(g)) return {};
    if (!producersMutex(graph, f, g, level)) return {};
    return "every way to reach " + factName(graph, f) + " is mutex with every way to reach " + factName(graph, g) +
           " at level " + std::to_string(level);
}

}  // namespace vexmolda

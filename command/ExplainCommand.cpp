#include "command/ExplainCommand.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "command/Session.h"
#include "solvers/Heuristic.h"
#include "solvers/LandmarkCountHeuristic.h"
#include "solvers/MaxHeuristic.h"
#include "solvers/PackedTask.h"
#include "solvers/RelaxedPlanHeuristic.h"

namespace vexmolda {

namespace {

// The plan's steps as groups applied at once: one instance each, or the
// layers of a layered plan.
std::vector<std::vector<OperationInstance*>> stepGroups(const Plan& plan) {
    std::vector<std::vector<OperationInstance*>> groups;
    if (const auto* layered = dynamic_cast<const ParPlan*>(&plan)) {
        groups = layered->layers;
    } else {
        for (OperationInstance* step : plan.steps) groups.push_back({step});
    }
    return groups;
}

// The states from the initial one through the first count groups, or the
// message line saying which step does not apply.
std::optional<std::string> replaySteps(const State& initial, const std::vector<std::vector<OperationInstance*>>& groups,
                                  std::size_t count, std::vector<State>& states) {
    states.assign(1, initial);
    for (std::size_t step = 0; step < count; ++step) {
        State next = states.back();
        for (const OperationInstance* instance : groups[step]) {
            for (Fact* fact : instance->pre()) {
                if (!states.back().contains(fact)) {
                    return "Step " + std::to_string(step + 1) + " (" + stepText(*instance) + ") does not apply: " +
                           factText(*fact) + " does not hold";
                }
            }
        }
        for (const OperationInstance* instance : groups[step]) {
            for (Fact* fact : instance->del()) next.erase(fact);
        }
        for (const OperationInstance* instance : groups[step]) {
            for (Fact* fact : instance->add()) next.insert(fact);
        }
        states.push_back(std::move(next));
    }
    return std::nullopt;
}

std::string valueText(std::int32_t value) { return value == infiniteValue ? "infinite" : std::to_string(value); }

// "none" or the items joined by ", ".
std::string listText(const std::vector<std::string>& items) {
    if (items.empty()) return "none";
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
    return text;
}

// Reads the whole token as a step number.
std::optional<std::size_t> readStepNumber(const std::string& text) {
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(std::stoul(text));
}

// Everything explain prints about one state, from the packed path to it.
class Explanation {
public:
    Explanation(const Session& session, const RelaxedTask& relaxed) : session(session), relaxed(relaxed) {}

    std::string text(const std::vector<std::vector<std::uint64_t>>& path, const std::string& title);

private:
    std::string factName(std::uint32_t bit) const { return factText(*session.model.facts[relaxed.factOf(bit)]); }
    std::string actionName(std::uint32_t action) const {
        return stepText(*session.instances[relaxed.instanceOf(action)]);
    }
    std::string instanceNames(std::span<const std::int32_t> ids) const {
        std::vector<std::string> names;
        for (std::int32_t id : ids) names.push_back(stepText(*session.instances[id]));
        return listText(names);
    }
    // The status a search would carry along the path, for heuristics that need one.
    std::vector<std::uint64_t> statusAlong(const Heuristic& heuristic,
                                           const std::vector<std::vector<std::uint64_t>>& path) const;
    std::string relaxedPlanText(const std::uint64_t* state);
    std::string landmarkText(const std::vector<std::vector<std::uint64_t>>& path);

    const Session& session;
    const RelaxedTask& relaxed;
};

std::vector<std::uint64_t> Explanation::statusAlong(const Heuristic& heuristic,
                                                    const std::vector<std::vector<std::uint64_t>>& path) const {
    std::vector<std::uint64_t> status(heuristic.statusWords()), next(heuristic.statusWords());
    if (status.empty()) return status;
    heuristic.initialStatus(path.front().data(), status.data());
    for (std::size_t k = 1; k < path.size(); ++k) {
        heuristic.childStatus(status.data(), path[k].data(), next.data());
        status.swap(next);
    }
    return status;
}

std::string Explanation::relaxedPlanText(const std::uint64_t* state) {
    RelaxedPlanHeuristic relaxedPlan(relaxed);
    if (relaxedPlan.evaluate(state, nullptr) == infiniteValue) {
        return "  relaxed plan: none, the goal cannot be reached even without deletes\n";
    }
    // Layer of an action: the first layer of the relaxed planning graph
    // that holds all its preconditions.
    MaxHeuristic layers(relaxed);
    layers.exploreWhole(state);
    std::vector<std::vector<std::string>> byLayer;
    for (std::uint32_t action : relaxedPlan.relaxedPlan()) {
        std::int32_t layer = 0;
        for (std::uint32_t bit : relaxed.preconditions(action)) layer = std::max(layer, layers.costs().factCost(bit));
        if (static_cast<std::size_t>(layer) >= byLayer.size()) byLayer.resize(static_cast<std::size_t>(layer) + 1);
        byLayer[layer].push_back(actionName(action));
    }
    const std::size_t size = relaxedPlan.relaxedPlan().size();
    if (size == 0) return "  relaxed plan: empty, the goal holds\n";
    std::string text = "  relaxed plan, " + std::to_string(size) + (size == 1 ? " action" : " actions") + ":\n";
    for (std::size_t layer = 0; layer < byLayer.size(); ++layer) {
        if (!byLayer[layer].empty()) text += "    layer " + std::to_string(layer) + ": " + listText(byLayer[layer]) + "\n";
    }
    text += "  helpful actions: " + instanceNames(relaxedPlan.preferred()) + "\n";
    return text;
}

std::string Explanation::landmarkText(const std::vector<std::vector<std::uint64_t>>& path) {
    LandmarkCountHeuristic counter(relaxed);
    const std::vector<std::uint64_t> status = statusAlong(counter, path);
    counter.evaluate(path.back().data(), status.data());
    const LandmarkGraph& graph = counter.graph();
    if (!graph.goalReachable()) return "  landmarks: none, the goal cannot be reached even without deletes\n";
    std::string text = "  landmarks, " + std::to_string(graph.size()) + ":\n";
    for (std::size_t landmark = 0; landmark < graph.size(); ++landmark) {
        std::vector<std::string> notes;
        if (graph.isGoal(landmark)) notes.push_back("goal");
        if (!counter.reachedLast(landmark)) {
            notes.push_back("not reached");
        } else {
            notes.push_back(counter.requiredAgainLast(landmark) ? "reached, required again" : "reached");
        }
        std::vector<std::string> before;
        for (std::uint32_t earlier : graph.before(landmark)) before.push_back(factName(graph.bit(earlier)));
        if (!before.empty()) notes.push_back("after " + listText(before));
        text += "    " + factName(graph.bit(landmark)) + ": " + listText(notes) + "\n";
    }
    text += "  lmcount prefers: " + instanceNames(counter.preferred()) + "\n";
    return text;
}

std::string Explanation::text(const std::vector<std::vector<std::uint64_t>>& path, const std::string& title) {
    const std::uint64_t* state = path.back().data();
    std::vector<std::string> values;
    for (const auto& [name, factory] : heuristicFactories()) {
        std::unique_ptr<Heuristic> heuristic = factory(relaxed);
        const std::vector<std::uint64_t> status = statusAlong(*heuristic, path);
        values.push_back(name + " " + valueText(heuristic->evaluate(state, status.empty() ? nullptr : status.data())));
    }
    return "Explain " + title + ": " + listText(values) + "\n" + relaxedPlanText(state) + landmarkText(path);
}

}  // namespace

void explainCommand(Session& session, const TokenList& tokens) {
    if (session.instances.empty()) {
        session.messages.append("No instances to explain: \"buildInst\" makes them\n");
        return;
    }
    std::size_t step = 0;
    if (tokens.size() > 1) {
        const std::optional<std::size_t> number = readStepNumber(tokens[1].text);
        if (!number) {
            session.messages.append("Step \"" + tokens[1].text + "\" is not a number\n");
            return;
        }
        step = *number;
    }
    std::vector<std::vector<OperationInstance*>> groups;
    if (session.currentPlan) groups = stepGroups(*session.currentPlan);
    if (step > 0 && groups.empty()) {
        session.messages.append("No plan to explain step " + std::to_string(step) + " of\n");
        return;
    }
    if (step > groups.size()) {
        session.messages.append("Step " + std::to_string(step) + " out of range: the plan has " +
                                std::to_string(groups.size()) + (groups.size() == 1 ? " step\n" : " steps\n"));
        return;
    }
    std::vector<State> states;
    if (std::optional<std::string> problem = replaySteps(session.model.initState, groups, step, states)) {
        session.messages.append(*problem + "\n");
        return;
    }
    const SolveTask task{session.model.facts, session.instances, session.model.initState, session.model.goalState};
    const PackedTask packed(task.instances, task.initial, task.goal, task.facts.size());
    const RelaxedTask relaxed(packed, task);
    std::vector<std::vector<std::uint64_t>> path(states.size());
    for (std::size_t k = 0; k < states.size(); ++k) relaxed.pack(states[k], path[k]);
    const std::string title = step == 0 ? "the initial state"
                                        : "the state after step " + std::to_string(step) + " of " +
                                              std::to_string(groups.size());
    session.messages.append(Explanation(session, relaxed).text(path, title));
}

}  // namespace vexmolda

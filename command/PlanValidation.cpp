#include "command/PlanValidation.h"

#include <cctype>
#include <cstdio>
#include <optional>
#include <set>
#include <sstream>

#include "command/Session.h"
#include "domain/Atom.h"
#include "grounding/Grounding.h"

namespace vexmolda {

namespace {

bool isBlank(char byte) { return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n'; }

std::string trimmed(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::vector<std::string> splitOn(const std::string& text, bool (*separates)(char)) {
    std::vector<std::string> parts;
    std::string part;
    for (char byte : text) {
        if (separates(byte)) {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += byte;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

// "(op a b)" or "op(a,b)"; a missing ")" is taken as given, as the tokenizer does.
PlanStep parseStep(const std::string& written) {
    PlanStep step;
    step.text = written;
    if (written[0] == '(') {
        step.competitionForm = true;
        const std::size_t close = written.find(')');
        const std::vector<std::string> names =
            splitOn(written.substr(1, close == std::string::npos ? std::string::npos : close - 1), isBlank);
        if (!names.empty()) {
            step.operation = names[0];
            step.objects.assign(names.begin() + 1, names.end());
        }
        return step;
    }
    const std::size_t open = written.find('(');
    step.operation = trimmed(written.substr(0, open));
    if (open == std::string::npos) return step;
    const std::size_t close = written.find(')', open);
    const std::string inside =
        written.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
    for (const std::string& object : splitOn(inside, [](char byte) { return byte == ',' || isBlank(byte); })) {
        step.objects.push_back(object);
    }
    return step;
}

// The steps of one layer: separated by commas outside parentheses; a step in
// the competitions' form ends at its ")" (a "[duration]" after it is skipped).
std::vector<PlanStep> parseLayer(const std::string& text) {
    std::vector<PlanStep> steps;
    std::size_t position = 0;
    while (position < text.size()) {
        while (position < text.size() && (isBlank(text[position]) || text[position] == ',')) ++position;
        if (position >= text.size()) break;
        if (text[position] == '[') {
            const std::size_t close = text.find(']', position);
            position = close == std::string::npos ? text.size() : close + 1;
            continue;
        }
        std::size_t end = position;
        int depth = 0;
        for (; end < text.size(); ++end) {
            if (text[end] == '(') ++depth;
            if (text[end] == ')' && depth > 0 && --depth == 0 && text[position] == '(') {
                ++end;
                break;
            }
            if (text[end] == ',' && depth == 0) break;
        }
        steps.push_back(parseStep(trimmed(text.substr(position, end - position))));
        position = end;
    }
    return steps;
}

// The length of a leading "N:" layer number, or 0.
std::size_t layerPrefix(const std::string& line) {
    std::size_t position = 0;
    while (position < line.size() && std::isdigit(static_cast<unsigned char>(line[position]))) ++position;
    if (position == 0) return 0;
    while (position < line.size() && isBlank(line[position])) ++position;
    return position < line.size() && line[position] == ':' ? position + 1 : 0;
}

std::string groundText(const GroundFact& fact) { return factText(Fact(fact.name, false, fact.args)); }

GroundFact keyOf(const Fact& fact) { return {fact.name, fact.args}; }

// The reason "instance" would refuse the binding for, in the words of a plan check.
std::string refusalReason(const BindingCheck& check, const std::string& operationName) {
    switch (check.refusal) {
        case Refusal::noOperation:
            return "no operation \"" + operationName + "\"";
        case Refusal::wrongCount:
            return "wrong number of parameters";
        case Refusal::typeMismatch:
            return "type mismatch, " + check.object->name + " is type " + check.object->type->name + ", but " +
                   check.expected->name + " expected";
        case Refusal::duplicateObject:
        case Refusal::constraintFails:
            return "a constraint forbids it";
        case Refusal::factRefused: {
            std::string reason = check.message.substr(0, check.message.find('\n'));
            if (!reason.empty()) reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
            return reason;
        }
        case Refusal::none:
            break;
    }
    return {};
}

// A step grounded for the replay: its sets, or why it cannot be applied.
struct ReplayedStep {
    GroundLiterals literals;
    std::string reason;  // empty when the step applies to the state
};

ReplayedStep groundCandidate(const Model& model, Grounder& grounder, const StepNames& names,
                             const std::set<GroundFact>& state) {
    ReplayedStep result;
    std::vector<Atom*> objects;
    for (const std::string& name : names.objects) {
        Atom* atom = model.findAtom(name);
        if (!atom) {
            result.reason = "no atom \"" + name + "\"";
            return result;
        }
        objects.push_back(atom);
    }
    BindingCheck check = grounder.checkBinding(names.operation, objects);
    if (!check.passed() || !grounder.groundWithoutInterning(*check.operation, result.literals, check)) {
        result.reason = refusalReason(check, names.operation);
        return result;
    }
    // The first missing precondition in the operation's order.
    for (const GroundFact& fact : result.literals.pre) {
        if (!state.count(fact)) {
            result.reason = "precondition " + groundText(fact) + " does not hold";
            return result;
        }
    }
    return result;
}

// The first candidate that applies; else the first candidate's reason.
ReplayedStep groundStep(const Model& model, Grounder& grounder, const PlanStep& step,
                        const std::set<GroundFact>& state, const StepNameMapping& mapping) {
    std::vector<StepNames> candidates = mapping(step);
    if (candidates.empty()) candidates = namesAsWritten(step);
    std::optional<ReplayedStep> first;
    for (const StepNames& names : candidates) {
        ReplayedStep replayed = groundCandidate(model, grounder, names, state);
        if (replayed.reason.empty()) return replayed;
        if (!first) first = std::move(replayed);
    }
    return *first;
}

}  // namespace

PlanLayers parsePlanText(const std::string& text) {
    PlanLayers layers;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        line = trimmed(line);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        const std::size_t prefix = layerPrefix(line);
        if (prefix > 0) {
            layers.push_back(parseLayer(line.substr(prefix)));
        } else {
            layers.push_back({parseStep(line)});
        }
    }
    return layers;
}

std::vector<StepNames> namesAsWritten(const PlanStep& step) { return {{step.operation, step.objects}}; }

std::string validatePlan(Session& session, const PlanLayers& plan, const PlanReading& reading) {
    const StepNameMapping& mapping = reading.mapping ? reading.mapping : StepNameMapping(namesAsWritten);
    // Checks only: the grounder's list stays empty and its messages are dropped.
    InstanceList unused;
    TextBuffer silent{false};
    Grounder grounder(session.model, unused, session.groundingOptions(), silent);
    std::set<GroundFact> state;
    for (const Fact* fact : session.model.initState) state.insert(keyOf(*fact));
    std::size_t stepNumber = 0;
    for (const std::vector<PlanStep>& layer : plan) {
        // Every step of a layer is checked against the state at its start.
        std::vector<GroundLiterals> applied;
        for (const PlanStep& step : layer) {
            ++stepNumber;
            ReplayedStep replayed = groundStep(session.model, grounder, step, state, mapping);
            if (!replayed.reason.empty()) {
                // A step in the competitions' form brings its own parentheses.
                const std::string shown = step.competitionForm ? step.text : "(" + step.text + ")";
                return "Plan invalid at step " + std::to_string(stepNumber) + " " + shown + ": " + replayed.reason +
                       "\n";
            }
            applied.push_back(std::move(replayed.literals));
        }
        for (const GroundLiterals& literals : applied) {
            for (const GroundFact& fact : literals.del) state.erase(fact);
        }
        for (const GroundLiterals& literals : applied) {
            for (const GroundFact& fact : literals.add) state.insert(fact);
        }
    }
    const auto goalHolds = [&] {
        for (const Fact* fact : session.model.goalState) {
            if (!state.count(keyOf(*fact))) return false;
        }
        return true;
    };
    if (!goalHolds()) {
        for (const std::string& operation : reading.leftOutOperations) {
            ReplayedStep closing = groundCandidate(session.model, grounder, {operation, {}}, state);
            if (!closing.reason.empty()) continue;
            for (const GroundFact& fact : closing.literals.del) state.erase(fact);
            for (GroundFact& fact : closing.literals.add) state.insert(std::move(fact));
        }
    }
    for (const Fact* fact : session.model.goalState) {
        if (!state.count(keyOf(*fact))) {
            return "Plan invalid: goal " + factText(*fact) + " does not hold after " + std::to_string(stepNumber) +
                   " steps\n";
        }
    }
    return "Plan valid: " + std::to_string(stepNumber) + " steps reach the goal\n";
}

PlanReading currentPlanReading(const Session& session) {
    if (session.attachment) return session.attachment->planReading(session);
    return {};
}

std::string validatePlanFile(Session& session, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::string text;
    bool read = file != nullptr;
    if (file) {
        char buffer[4096];
        std::size_t count;
        while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, count);
        read = !std::ferror(file);
        std::fclose(file);
    }
    if (!read) return "Cannot read plan \"" + path + "\"\n";
    return validatePlan(session, parsePlanText(text), currentPlanReading(session));
}

}  // namespace vexmolda

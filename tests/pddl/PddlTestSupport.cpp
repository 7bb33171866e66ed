#include "PddlTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "pddl/PddlReader.h"
#include "pddl/SExpression.h"
#include "support/Session.h"

namespace vexmolda::testing {

std::string pddlData(const std::string& relative) { return sourcePath("tests/data/pddl/" + relative); }

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TaskFiles writeTask(const std::string& domainText, const std::string& problemText) {
    return {writeTempFile("domain.pddl", domainText), writeTempFile("problem.pddl", problemText)};
}

PddlTask readTask(const std::string& domainPath, const std::string& problemPath) {
    PddlTask task;
    PddlDiagnostics diagnostics;
    EXPECT_TRUE(readPddlDomain(fileText(domainPath), domainPath, task.domain, diagnostics)) << diagnostics.refusal;
    EXPECT_TRUE(readPddlProblem(fileText(problemPath), problemPath, task.domain, task.problem, diagnostics))
        << diagnostics.refusal;
    return task;
}

namespace {

using GroundAtom = std::vector<std::string>;  // predicate, then objects
using Binding = std::map<std::string, std::string>;
using PddlState = std::set<GroundAtom>;

std::string value(const PddlTerm& term, const Binding& binding) {
    return term.isVariable ? binding.at(term.name) : term.name;
}

GroundAtom ground(const PddlLiteral& literal, const Binding& binding) {
    GroundAtom atom = {literal.predicate};
    for (const PddlTerm& term : literal.args) atom.push_back(value(term, binding));
    return atom;
}

// Calls visit with the binding extended by every combination of objects for the variables.
template <class Visit>
bool everyCombination(const PddlTask& task, const std::vector<PddlTypedName>& variables, std::size_t i,
                      Binding& binding, Visit visit) {
    if (i == variables.size()) return visit(binding);
    for (const PddlTypedName& object : task.allObjects()) {
        if (!task.domain.fits(object, variables[i])) continue;
        binding[variables[i].name] = object.name;
        if (!everyCombination(task, variables, i + 1, binding, visit)) return false;
    }
    return true;
}

bool holds(const PddlTask& task, const PddlFormula& formula, const PddlState& state, Binding binding) {
    using Kind = PddlFormula::Kind;
    switch (formula.kind) {
    case Kind::Atom:
        return state.count(ground(formula.atom, binding)) > 0;
    case Kind::Equal:
        return value(formula.left, binding) == value(formula.right, binding);
    case Kind::Not:
        return !holds(task, formula.parts[0], state, binding);
    case Kind::And:
        return std::all_of(formula.parts.begin(), formula.parts.end(),
                           [&](const PddlFormula& part) { return holds(task, part, state, binding); });
    case Kind::Or:
        return std::any_of(formula.parts.begin(), formula.parts.end(),
                           [&](const PddlFormula& part) { return holds(task, part, state, binding); });
    case Kind::Imply:
        return !holds(task, formula.parts[0], state, binding) || holds(task, formula.parts[1], state, binding);
    case Kind::Forall:
        return everyCombination(task, formula.variables, 0, binding,
                                [&](const Binding& inner) { return holds(task, formula.parts[0], state, inner); });
    case Kind::Exists:
        return !everyCombination(task, formula.variables, 0, binding,
                                 [&](const Binding& inner) { return !holds(task, formula.parts[0], state, inner); });
    }
    return false;
}

// Collects the adds, deletes and cost of an effect in the state before the step.
void collect(const PddlTask& task, const PddlEffect& effect, const PddlState& state, Binding binding,
             PddlState& adds, PddlState& dels, long long& cost) {
    using Kind = PddlEffect::Kind;
    switch (effect.kind) {
    case Kind::Add:
        adds.insert(ground(effect.atom, binding));
        return;
    case Kind::Del:
        dels.insert(ground(effect.atom, binding));
        return;
    case Kind::Cost: {
        if (effect.cost.function.empty()) {
            cost += effect.cost.number;
            return;
        }
        std::vector<std::string> key = {effect.cost.function};
        for (const PddlTerm& term : effect.cost.args) key.push_back(value(term, binding));
        cost += task.problem.functionValues.at(key);
        return;
    }
    case Kind::And:
        for (const PddlEffect& part : effect.parts) collect(task, part, state, binding, adds, dels, cost);
        return;
    case Kind::Forall:
        everyCombination(task, effect.variables, 0, binding, [&](const Binding& inner) {
            collect(task, effect.parts[0], state, inner, adds, dels, cost);
            return true;
        });
        return;
    case Kind::When:
        if (holds(task, effect.condition, state, binding)) collect(task, effect.parts[0], state, binding, adds, dels, cost);
        return;
    }
}

}  // namespace

std::string checkPlan(const PddlTask& task, const std::string& planText, long long* cost) {
    PddlState state;
    for (const PddlLiteral& literal : task.problem.init) state.insert(ground(literal, {}));
    long long total = 0;
    std::istringstream lines(planText);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        const std::string where = "step line " + std::to_string(number) + ": ";
        if (line.empty() || line[0] == ';') continue;
        if (line.front() != '(' || line.back() != ')') return where + "not a step";
        std::istringstream words(lowerCase(line.substr(1, line.size() - 2)));
        std::vector<std::string> step;
        for (std::string word; words >> word;) step.push_back(word);
        if (step.empty()) return where + "empty step";
        const PddlAction* action = task.domain.findAction(step[0]);
        if (!action) return where + "no action " + step[0];
        if (step.size() - 1 != action->params.size()) return where + "wrong argument count";
        Binding binding;
        for (std::size_t i = 0; i < action->params.size(); ++i) {
            const PddlTypedName* object = task.findObject(step[i + 1]);
            if (!object) return where + "no object " + step[i + 1];
            if (!task.domain.fits(*object, action->params[i])) return where + "type of " + step[i + 1];
            binding[action->params[i].name] = object->name;
        }
        if (!holds(task, action->precondition, state, binding)) return where + "precondition fails";
        PddlState adds;
        PddlState dels;
        collect(task, action->effect, state, binding, adds, dels, total);
        for (const GroundAtom& atom : dels) state.erase(atom);
        for (const GroundAtom& atom : adds) state.insert(atom);
    }
    if (cost) *cost = total;
    if (!holds(task, task.problem.goalFormula, state, {})) return "goal not reached";
    return "";
}

}  // namespace vexmolda::testing

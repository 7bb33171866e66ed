#include "PddlTestSupport.h"

#include <gtest/gtest.h>

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

GroundAtom ground(const PddlLiteral& literal, const std::map<std::string, std::string>& binding) {
    GroundAtom atom = {literal.predicate};
    for (const PddlTerm& term : literal.args) atom.push_back(term.isVariable ? binding.at(term.name) : term.name);
    return atom;
}

std::string value(const PddlTerm& term, const std::map<std::string, std::string>& binding) {
    return term.isVariable ? binding.at(term.name) : term.name;
}

}  // namespace

std::string checkPlan(const PddlTask& task, const std::string& planText) {
    std::set<GroundAtom> state;
    for (const PddlLiteral& literal : task.problem.init) state.insert(ground(literal, {}));
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
        std::map<std::string, std::string> binding;
        for (std::size_t i = 0; i < action->params.size(); ++i) {
            const PddlTypedName* object = task.findObject(step[i + 1]);
            if (!object) return where + "no object " + step[i + 1];
            if (!task.domain.isSubtype(object->type, action->params[i].type)) return where + "type of " + step[i + 1];
            binding[action->params[i].name] = object->name;
        }
        for (const PddlEquality& equality : action->equalities) {
            if ((value(equality.left, binding) == value(equality.right, binding)) == equality.negated) {
                return where + "equality fails";
            }
        }
        for (const PddlLiteral& literal : action->pre) {
            if (!state.count(ground(literal, binding))) return where + "precondition " + literal.predicate + " fails";
        }
        for (const PddlLiteral& literal : action->del) state.erase(ground(literal, binding));
        for (const PddlLiteral& literal : action->add) state.insert(ground(literal, binding));
    }
    for (const PddlLiteral& literal : task.problem.goal) {
        if (!state.count(ground(literal, {}))) return "goal " + literal.predicate + " not reached";
    }
    return "";
}

}  // namespace vexmolda::testing

#include "command/Execute.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "command/CAtoi.h"
#include "command/ConstraintCommand.h"
#include "command/DomainWriter.h"
#include "command/LoadFile.h"
#include "command/ParseFacts.h"
#include "command/PlanValidation.h"
#include "command/RebuildInstances.h"
#include "command/Switches.h"
#include "command/TextBuffer.h"
#include "command/Wipe.h"
#include "domain/Fact.h"
#include "domain/Operation.h"
#include "grounding/Grounding.h"
#include "solvers/Plan.h"
#include "pddl/CompetitionStepNames.h"
#include "solvers/Solver.h"

namespace vexmolda {

namespace {

using Handler = std::function<void(const TokenList&)>;

// One row of the dispatch table: the words it answers to and the least
// number of tokens (command word included) it needs.
struct CommandRow {
    std::vector<std::string> words;
    std::size_t minTokens;
    Handler run;
};

void quit(const TokenList&) {
    std::fflush(stdout);
    std::exit(0);
}

void literalsOfOperation(const TokenList& tokens, State Operation::*set) {
    Operation* operation = findOperation(tokens[1].text);
    if (!operation) {
        messages.append("No operation \"" + tokens[1].text + "\"\n");
        return;
    }
    parseFacts(tokens, operation->*set, operation);
}

// Reads "type name" pairs from token 2 on, for a new or still parameterless owner.
template <class Owner>
void readParameters(const TokenList& tokens, Owner& owner, bool hasParameters) {
    if (hasParameters || tokens.size() < 4) return;
    std::size_t position = 2;
    while (position + 1 < tokens.size()) {
        Type* type = findType(tokens[position].text);
        if (type) {
            owner.addParameter(makeVariable(tokens[position + 1].text, type));
            position += 2;
        } else {
            messages.append("Type \"" + tokens[position].text + "\" unknown\n");
            position += 1;
        }
    }
}

void declareOperationCommand(const TokenList& tokens) {
    Operation* operation = declareOperation(tokens[1].text);
    readParameters(tokens, *operation, !operation->params.empty());
}

void declarePredicateCommand(const TokenList& tokens) {
    Predicate* predicate = declarePredicate(tokens[1].text);
    readParameters(tokens, *predicate, !predicate->args.empty());
}

void instanceCommand(const TokenList& tokens) {
    std::vector<Atom*> objects;
    for (std::size_t i = 2; i < tokens.size(); ++i) {
        if (Atom* atom = findAtom(tokens[i].text)) {
            objects.push_back(atom);
        } else {
            messages.append("\"" + tokens[i].text + "\" not found or no atom\n");
        }
    }
    instantiate(tokens[1].text, objects);
}

void buildInstancesCommand(const TokenList&) { rebuildInstances(); }

void solveCommand(const TokenList& tokens) {
    runSolver(tokens[1].text, tokens.size() > 2 ? cAtoi(tokens[2].text) : 0);
}

void typeCommand(const TokenList& tokens) {
    for (std::size_t i = 1; i < tokens.size(); ++i) declareType(tokens[i].text, nullptr);
}

void derivedCommand(const TokenList& tokens) {
    Type* base = findType(tokens[1].text);
    if (!base) {
        messages.append("Type \"" + tokens[1].text + "\" unknown\n");
        return;
    }
    for (std::size_t i = 2; i < tokens.size(); ++i) declareType(tokens[i].text, base);
}

void atomCommand(const TokenList& tokens) {
    Type* type = findType(tokens[1].text);
    if (!type) {
        messages.append("Type \"" + tokens[1].text + "\" unknown\n");
        return;
    }
    if (type == anyType) return;
    for (std::size_t i = 2; i < tokens.size(); ++i) declareAtom(tokens[i].text, type);
}

// "on" and "off" set the switch; the bare word (stored files rely on it) flips it.
Handler switchCommand(bool& (*flag)()) {
    return [flag](const TokenList& tokens) {
        const std::string setting = tokens.size() > 1 ? tokens[1].text : std::string();
        if (setting == "on") {
            flag() = true;
        } else if (setting == "off") {
            flag() = false;
        } else {
            flag() = !flag();
        }
    };
}

bool& noDupsSwitch() { return noDups; }
bool& ignConstSwitch() { return ignConst; }
bool& filterRedsSwitch() { return filterReds; }
bool& showInstSwitch() { return showInst; }

const std::vector<CommandRow>& commandTable() {
    static const std::vector<CommandRow> table = {
        {{"q", "quit", "exit"}, 1, quit},
        {{"file"}, 2, [](const TokenList& t) { loadFile(domainFileName(t[1].text)); }},
        {{"save"}, 2, [](const TokenList& t) { saveDomain(t[1].text); }},
        {{"validate"}, 2, [](const TokenList& t) { validateCommand(t[1].text); }},
        {{"log"}, 1, switchCommand(logging)},
        {{"init"}, 1, [](const TokenList& t) { parseFacts(t, initState, nullptr); }},
        {{"goal"}, 1, [](const TokenList& t) { parseFacts(t, goalState, nullptr); }},
        {{"pre"}, 3, [](const TokenList& t) { literalsOfOperation(t, &Operation::pre); }},
        {{"add"}, 3, [](const TokenList& t) { literalsOfOperation(t, &Operation::add); }},
        {{"del"}, 3, [](const TokenList& t) { literalsOfOperation(t, &Operation::del); }},
        {{"condconst", "const"}, 5, executeConstraintCommand},
        {{"op"}, 2, declareOperationCommand},
        {{"pred"}, 2, declarePredicateCommand},
        {{"showInst"}, 1, switchCommand(showInstSwitch)},
        {{"instance"}, 3, instanceCommand},
        {{"buildInst"}, 1, buildInstancesCommand},
        {{"wipe"}, 1, [](const TokenList&) { wipe(); }},
        {{"solve"}, 2, solveCommand},
        {{"noDups"}, 1, switchCommand(noDupsSwitch)},
        {{"ignConst"}, 1, switchCommand(ignConstSwitch)},
        {{"filterReds"}, 1, switchCommand(filterRedsSwitch)},
        {{"type"}, 1, typeCommand},
        {{"derived"}, 3, derivedCommand},
        {{"atom"}, 3, atomCommand},
    };
    return table;
}

}  // namespace

void validateCommand(const std::string& path) {
    messages.append(validatePlanFile(path, currentStepNameMapping()));
}

void execute(TokenList tokens) {
    dirty = true;
    if (tokens.empty() || tokens[0].text[0] == '#') return;
    for (const CommandRow& row : commandTable()) {
        if (tokens.size() < row.minTokens) continue;
        for (const std::string& word : row.words) {
            if (tokens[0].text == word) {
                row.run(tokens);
                return;
            }
        }
    }
    messages.append("Unknown command or not enough parameters\n");
}

void executeLine(const std::string& line) { execute(tokenize(line)); }

}  // namespace vexmolda

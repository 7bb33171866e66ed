#include "command/Execute.h"

#include <cstdio>
#include <functional>
#include <vector>

#include "command/CAtoi.h"
#include "command/ConstraintCommand.h"
#include "command/DomainWriter.h"
#include "command/ExplainCommand.h"
#include "command/HeuristicCommand.h"
#include "command/LoadFile.h"
#include "command/ParseFacts.h"
#include "command/PlanValidation.h"
#include "command/RebuildInstances.h"
#include "command/RunSolver.h"
#include "command/Session.h"
#include "command/Wipe.h"
#include "grounding/Grounding.h"

namespace vexmolda {

namespace {

using Handler = std::function<void(Session&, const TokenList&)>;

// Whether a command can change what a grounding reads: types, atoms,
// predicates, operations, their sets and constraints.
enum class Grounded { unchanged, changed };

// One row of the dispatch table: the words it answers to, the least number
// of tokens (command word included) it needs, and what it may change.
struct CommandRow {
    std::vector<std::string> words;
    std::size_t minTokens;
    Handler run;
    Grounded changes = Grounded::unchanged;
};

void quit(Session& session, const TokenList&) {
    std::fflush(stdout);
    session.quitRequested = true;
}

void literalsOfOperation(Session& session, const TokenList& tokens, State Operation::*set) {
    Operation* operation = session.model.findOperation(tokens[1].text);
    if (!operation) {
        session.messages.append("No operation \"" + tokens[1].text + "\"\n");
        return;
    }
    parseFacts(session, tokens, operation->*set, operation);
}

// Reads "type name" pairs from token 2 on, for a new or still parameterless owner.
template <class Owner>
void readParameters(Session& session, const TokenList& tokens, Owner& owner, bool hasParameters) {
    if (hasParameters || tokens.size() < 4) return;
    std::size_t position = 2;
    while (position + 1 < tokens.size()) {
        Type* type = session.model.findType(tokens[position].text);
        if (type) {
            owner.addParameter(makeVariable(tokens[position + 1].text, type));
            position += 2;
        } else {
            session.messages.append("Type \"" + tokens[position].text + "\" unknown\n");
            position += 1;
        }
    }
}

void declareOperationCommand(Session& session, const TokenList& tokens) {
    Operation* operation = session.model.declareOperation(tokens[1].text, session.messages);
    readParameters(session, tokens, *operation, !operation->params.empty());
}

void declarePredicateCommand(Session& session, const TokenList& tokens) {
    Predicate* predicate = session.model.declarePredicate(tokens[1].text, session.messages);
    readParameters(session, tokens, *predicate, !predicate->args.empty());
}

void instanceCommand(Session& session, const TokenList& tokens) {
    std::vector<Atom*> objects;
    for (std::size_t i = 2; i < tokens.size(); ++i) {
        if (Atom* atom = session.model.findAtom(tokens[i].text)) {
            objects.push_back(atom);
        } else {
            session.messages.append("\"" + tokens[i].text + "\" not found or no atom\n");
        }
    }
    Grounder(session.model, session.instances, session.groundingOptions(), session.messages)
        .instantiate(tokens[1].text, objects);
}

void buildInstancesCommand(Session& session, const TokenList&) { rebuildInstances(session); }

void solveCommand(Session& session, const TokenList& tokens) {
    runSolver(session, tokens[1].text, tokens.size() > 2 ? readSolveLimit(tokens[2].text, session.messages) : 0);
}

void typeCommand(Session& session, const TokenList& tokens) {
    for (std::size_t i = 1; i < tokens.size(); ++i) session.model.declareType(tokens[i].text, nullptr, session.messages);
}

void derivedCommand(Session& session, const TokenList& tokens) {
    Type* base = session.model.findType(tokens[1].text);
    if (!base) {
        session.messages.append("Type \"" + tokens[1].text + "\" unknown\n");
        return;
    }
    for (std::size_t i = 2; i < tokens.size(); ++i) session.model.declareType(tokens[i].text, base, session.messages);
}

void atomCommand(Session& session, const TokenList& tokens) {
    Type* type = session.model.findType(tokens[1].text);
    if (!type) {
        session.messages.append("Type \"" + tokens[1].text + "\" unknown\n");
        return;
    }
    if (type == session.model.anyType) return;
    for (std::size_t i = 2; i < tokens.size(); ++i) session.model.declareAtom(tokens[i].text, type, session.messages);
}

// "on" and "off" set the switch; the bare word (stored files rely on it) flips it.
Handler switchCommand(bool& (*flag)(Session&)) {
    return [flag](Session& session, const TokenList& tokens) {
        const std::string setting = tokens.size() > 1 ? tokens[1].text : std::string();
        bool& value = flag(session);
        if (setting == "on") {
            value = true;
        } else if (setting == "off") {
            value = false;
        } else {
            value = !value;
        }
    };
}

bool& noDupsSwitch(Session& session) { return session.switches.noDups; }
bool& ignConstSwitch(Session& session) { return session.switches.ignConst; }
bool& filterRedsSwitch(Session& session) { return session.switches.filterReds; }
bool& showInstSwitch(Session& session) { return session.switches.showInst; }
bool& logSwitch(Session& session) { return session.logging(); }

const std::vector<CommandRow>& commandTable() {
    static const std::vector<CommandRow> table = {
        {{"q", "quit", "exit"}, 1, quit},
        {{"file"}, 2, [](Session& s, const TokenList& t) { loadFile(s, domainFileName(t[1].text)); }},
        {{"save"}, 2, [](Session& s, const TokenList& t) { saveDomain(s, t[1].text); }},
        {{"validate"}, 2, [](Session& s, const TokenList& t) { validateCommand(s, t[1].text); }},
        {{"log"}, 1, switchCommand(logSwitch)},
        {{"init"}, 1, [](Session& s, const TokenList& t) { parseFacts(s, t, s.model.initState, nullptr); }},
        {{"goal"}, 1, [](Session& s, const TokenList& t) { parseFacts(s, t, s.model.goalState, nullptr); }},
        {{"pre"}, 3, [](Session& s, const TokenList& t) { literalsOfOperation(s, t, &Operation::pre); }, Grounded::changed},
        {{"add"}, 3, [](Session& s, const TokenList& t) { literalsOfOperation(s, t, &Operation::add); }, Grounded::changed},
        {{"del"}, 3, [](Session& s, const TokenList& t) { literalsOfOperation(s, t, &Operation::del); }, Grounded::changed},
        {{"condconst", "const"}, 5, executeConstraintCommand, Grounded::changed},
        {{"op"}, 2, declareOperationCommand, Grounded::changed},
        {{"pred"}, 2, declarePredicateCommand, Grounded::changed},
        {{"showInst"}, 1, switchCommand(showInstSwitch)},
        {{"instance"}, 3, instanceCommand},
        {{"buildInst"}, 1, buildInstancesCommand},
        {{"wipe"}, 1, [](Session& s, const TokenList&) { wipe(s); }},
        {{"solve"}, 2, solveCommand},
        {{"explain"}, 1, explainCommand},
        {{"heuristic"}, 1, heuristicCommand},
        {{"noDups"}, 1, switchCommand(noDupsSwitch)},
        {{"ignConst"}, 1, switchCommand(ignConstSwitch)},
        {{"filterReds"}, 1, switchCommand(filterRedsSwitch)},
        {{"type"}, 1, typeCommand, Grounded::changed},
        {{"derived"}, 3, derivedCommand, Grounded::changed},
        {{"atom"}, 3, atomCommand, Grounded::changed},
    };
    return table;
}

}  // namespace

void validateCommand(Session& session, const std::string& path) {
    session.messages.append(validatePlanFile(session, path));
}

void execute(Session& session, TokenList tokens) {
    session.switches.dirty = true;
    session.changeStamp = nextCreationNumber();
    if (tokens.empty() || tokens[0].text[0] == '#') return;
    for (const CommandRow& row : commandTable()) {
        if (tokens.size() < row.minTokens) continue;
        for (const std::string& word : row.words) {
            if (tokens[0].text == word) {
                row.run(session, tokens);
                if (row.changes == Grounded::changed) session.instancesBuild.reset();
                return;
            }
        }
    }
    session.messages.append("Unknown command or not enough parameters\n");
}

void executeLine(Session& session, const std::string& line) { execute(session, tokenize(line)); }

}  // namespace vexmolda

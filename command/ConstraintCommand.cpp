#include "command/ConstraintCommand.h"

#include "command/Session.h"
#include "domain/Constraint.h"
#include "domain/Operation.h"

namespace vexmolda {

namespace {

bool isMembershipKeyword(const std::string& text) { return text == "eq" || text == "in" || text == "is"; }

// Parses the item whose keyword stands at position; returns the item or null
// and leaves position at the first token not consumed.
ConstInOf* parseMembershipItem(Session& session, const TokenList& tokens, std::size_t& position,
                               Operation& operation) {
    TextBuffer& messages = session.messages;
    const bool negated = position > 0 && tokens[position - 1].kind == TokenKind::Negation;
    ++position;  // past the keyword
    Variable* variable = position < tokens.size() ? findVariable(operation, tokens[position].text) : nullptr;
    if (!variable) {
        messages.append("A variable is required as first operand\n");
        if (position < tokens.size()) ++position;
        return nullptr;
    }
    ++position;
    auto* item = new ConstInOf(variable, negated);
    for (; position < tokens.size() && tokens[position].kind == TokenKind::Argument; ++position) {
        const std::string& name = tokens[position].text;
        if (Type* type = session.model.findType(name)) {
            item->types.insert(type);
        } else if (Variable* member = findVariable(operation, name)) {
            item->atoms.insert(member);
        } else if (Atom* atom = session.model.findAtom(name)) {
            item->atoms.insert(atom);
        } else {
            messages.append(name + " not found\n");
        }
    }
    if (item->types.empty() && item->atoms.empty()) {
        delete item;
        return nullptr;
    }
    return item;
}

}  // namespace

void executeConstraintCommand(Session& session, const TokenList& tokens) {
    Operation* operation = session.model.findOperation(tokens[1].text);
    if (!operation) {
        session.messages.append("No operation \"" + tokens[1].text + "\"\n");
        return;
    }
    const bool conditional = tokens[0].text == "condconst";
    CondConst* implication = nullptr;
    ConstraintSet* target = &operation->constraints;
    std::size_t position = 2;
    if (conditional) {
        implication = new CondConst();
        target = &implication->conditions;
        if (tokens[2].text == "all") {
            position = 3;
        } else if (tokens[2].text == "one") {
            implication->oneOf = true;
            position = 3;
        }
    }
    while (position < tokens.size()) {
        const std::string& text = tokens[position].text;
        if (conditional && text == "=>") {
            target = &implication->consequences;
            ++position;
        } else if (isMembershipKeyword(text)) {
            if (ConstInOf* item = parseMembershipItem(session, tokens, position, *operation)) target->insert(item);
        } else {
            ++position;
        }
    }
    if (conditional) {
        if (!implication->conditions.empty() && !implication->consequences.empty()) {
            operation->constraints.insert(implication);
        } else {
            delete implication;
        }
    }
}

}  // namespace vexmolda

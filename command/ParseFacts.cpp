#include "command/ParseFacts.h"

#include "command/Session.h"

namespace vexmolda {

void parseFacts(Session& session, const TokenList& tokens, State& target, const Operation* owner) {
    target.clear();
    std::size_t position = owner ? 2 : 1;
    while (position < tokens.size()) {
        if (tokens[position].kind != TokenKind::Word) {
            ++position;  // a "~" or a stray argument: skipped
            continue;
        }
        const std::string& predicateName = tokens[position].text;
        ++position;
        std::vector<Atom*> args;
        for (; position < tokens.size() && tokens[position].kind == TokenKind::Argument; ++position) {
            const std::string& name = tokens[position].text;
            Atom* arg = session.model.findAtom(name);
            if (!arg && owner) arg = findVariable(*owner, name);
            if (arg) args.push_back(arg);  // unknown names are left out silently
        }
        if (Fact* fact = session.model.makeFact(predicateName, args, session.messages)) target.insert(fact);
    }
}

}  // namespace vexmolda

#include "command/ParseFacts.h"

namespace vexmolda {

void parseFacts(const TokenList& tokens, State& target, const Operation* owner) {
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
            Atom* arg = findAtom(name);
            if (!arg && owner) arg = findVariable(*owner, name);
            if (arg) args.push_back(arg);  // unknown names are left out silently
        }
        if (Fact* fact = makeFact(predicateName, args)) target.insert(fact);
    }
}

}  // namespace vexmolda

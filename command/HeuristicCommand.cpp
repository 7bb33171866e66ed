#include "command/HeuristicCommand.h"

#include "command/Session.h"
#include "solvers/Heuristic.h"

namespace vexmolda {

void heuristicCommand(Session& session, const TokenList& tokens) {
    if (tokens.size() < 2) {
        session.messages.append("Heuristic " + (session.heuristic.empty() ? std::string("default") : session.heuristic) +
                                "\n");
        return;
    }
    const std::string& name = tokens[1].text;
    if (name == "default") {
        session.heuristic.clear();
    } else if (heuristicFactories().count(name) != 0) {
        session.heuristic = name;
    } else {
        session.messages.append("Unknown heuristic \"" + name +
                                "\": one of default, ff, goalcount, hadd, hmax, lmcount\n");
    }
}

}  // namespace vexmolda

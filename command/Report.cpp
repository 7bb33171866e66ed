#include "command/Report.h"

#include <cstdio>

#include "command/Session.h"
#include "grounding/InstanceText.h"

namespace vexmolda {

std::string reportText(const Session& session) {
    const Model& model = session.model;
    const Switches& switches = session.switches;
    std::string text = "Types: ";
    bool first = true;
    for (const auto& [name, type] : model.types) {
        if (!first) text += ", ";
        type->print(text);
        first = false;
    }
    text += "\n\nAtoms: ";
    first = true;
    for (const auto& [name, atom] : model.atoms) {
        if (!first) text += ", ";
        atom->print(text);
        first = false;
    }
    text += "\n\nPredicates: ";
    first = true;
    for (const auto& [name, predicate] : model.predicates) {
        if (!first) text += ", ";
        text += factText(*predicate);
        first = false;
    }
    text += "\n\nOperations: ";
    first = true;
    for (const auto& [name, operation] : model.operations) {
        if (!first) text += ", ";
        text += operationBlockText(*operation, session.instances);
        first = false;
    }
    text += "\n";
    text += "init: " + stateText(model.initState);
    text += "goal: " + stateText(model.goalState);
    if (switches.showInst) text += "\nOperation instances:\n" + instancesText(session.instances);
    if (session.logging()) text += "\nLog:\n" + session.log.text();
    if (session.currentPlan) text += "\nThe plan: \n" + session.currentPlan->toString();
    text += std::string("\nLogging: ") + (session.logging() ? "yes" : "no") +
            "  |  NoDups: " + (switches.noDups ? "yes" : "no") +
            "  |  Constraints: " + (switches.ignConst ? "ignored" : "used") +
            "  |  Redundant Ops: " + (switches.filterReds ? "filtered" : "allowed") + "\n";
    text += "\n" + session.messages.text() + "\n";
    return text;
}

void printReport(Session& session, bool clearScreen) {
    session.switches.dirty = false;
    if (clearScreen) std::fputs("\x1b[H\x1b[2J", stdout);
    const std::string text = reportText(session);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

}  // namespace vexmolda

#include "command/Report.h"

#include <cstdio>

#include "command/Switches.h"
#include "command/TextBuffer.h"
#include "domain/Atom.h"
#include "domain/Fact.h"
#include "domain/Operation.h"
#include "domain/State.h"
#include "domain/Type.h"
#include "grounding/InstanceText.h"
#include "solvers/Plan.h"

namespace vexmolda {

std::string reportText() {
    std::string text = "Types: ";
    bool first = true;
    for (const auto& [name, type] : Type::registry()) {
        if (!first) text += ", ";
        type->print(text);
        first = false;
    }
    text += "\n\nAtoms: ";
    first = true;
    for (const auto& [name, atom] : Atom::registry()) {
        if (!first) text += ", ";
        atom->print(text);
        first = false;
    }
    text += "\n\nPredicates: ";
    first = true;
    for (const auto& [name, predicate] : predicates) {
        if (!first) text += ", ";
        text += factText(*predicate);
        first = false;
    }
    text += "\n\nOperations: ";
    first = true;
    for (const auto& [name, operation] : operations) {
        if (!first) text += ", ";
        text += operationBlockText(*operation);
        first = false;
    }
    text += "\n";
    text += "init: " + stateText(initState);
    text += "goal: " + stateText(goalState);
    if (showInst) text += "\nOperation instances:\n" + instancesText();
    if (logging()) text += "\nLog:\n" + log.text();
    if (currentPlan) text += "\nThe plan: \n" + currentPlan->toString();
    text += std::string("\nLogging: ") + (logging() ? "yes" : "no") + "  |  NoDups: " + (noDups ? "yes" : "no") +
            "  |  Constraints: " + (ignConst ? "ignored" : "used") +
            "  |  Redundant Ops: " + (filterReds ? "filtered" : "allowed") + "\n";
    text += "\n" + messages.text() + "\n";
    return text;
}

void printReport(bool clearScreen) {
    dirty = false;
    if (clearScreen) std::fputs("\x1b[H\x1b[2J", stdout);
    const std::string text = reportText();
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

}  // namespace vexmolda

#include "command/BatchRunner.h"

#include <cstdio>
#include <optional>

#include "command/Execute.h"
#include "command/LoadFile.h"
#include "command/Report.h"
#include "command/TextBuffer.h"
#include "pddl/PddlLoader.h"
#include "pddl/PlanWriter.h"
#include "solvers/Solver.h"

namespace vexmolda {

namespace {

const char* const usage =
    "usage: vexmolda-batch [FILE | -c LINE | --pddl DOMAIN PROBLEM]... [--pddl-out FILE.pln] [--plan-out FILE]\n"
    "  FILE                   load a domain file (wipes the domain first, then runs its lines)\n"
    "  -c LINE                run LINE as one command line\n"
    "  --pddl DOMAIN PROBLEM  load a PDDL domain and problem (wipes the domain first; builds the instances)\n"
    "  --pddl-out FILE.pln    also save the translation of --pddl as a domain file\n"
    "  --plan-out FILE        after the last argument, write the plan in PDDL plan format\n"
    "Arguments run in order; the report is printed once at the end.\n";

bool isOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

// How many values follow an option; -1 for an unknown option.
int valueCount(const std::string& option) {
    if (option == "-c" || option == "--pddl-out" || option == "--plan-out") return 1;
    if (option == "--pddl") return 2;
    return -1;
}

// Every option known and followed by its values; picks up the output files.
bool readArguments(const std::vector<std::string>& arguments, std::string& pddlOut, std::string& planOut) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (!isOption(arguments[i])) continue;
        const int count = valueCount(arguments[i]);
        if (count < 0 || i + count >= arguments.size()) return false;
        if (arguments[i] == "--pddl-out") pddlOut = arguments[i + 1];
        if (arguments[i] == "--plan-out") planOut = arguments[i + 1];
        i += count;
    }
    return true;
}

}  // namespace

int runBatch(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (argument == "--help") {
            std::fputs(usage, stdout);
            return 0;
        }
    }
    std::string pddlOut;
    std::string planOut;
    if (!readArguments(arguments, pddlOut, planOut)) {
        std::fputs(usage, stderr);
        return 2;
    }
    bool outputsWritten = true;
    bool inputsLoaded = true;
    bool pddlGiven = false;
    // The plan file gets the last solve's plan, taken as that solve ends.
    std::optional<SolveOutcome> lastSolve;
    if (!planOut.empty()) afterSolve = [&lastSolve](bool found) { lastSolve = outcomeOfSolve(found); };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-c") {
            executeLine(arguments[++i]);
        } else if (argument == "--pddl") {
            // A refusal is a message as for domain files, and a failed run.
            if (!loadPddl(arguments[i + 1], arguments[i + 2], pddlOut)) inputsLoaded = false;
            pddlGiven = true;
            i += 2;
        } else if (argument == "--pddl-out" || argument == "--plan-out") {
            ++i;
        } else if (!loadFile(argument)) {
            inputsLoaded = false;
        }
    }
    afterSolve = nullptr;
    if (!pddlOut.empty() && !pddlGiven) {
        messages.append("No PDDL task to save to \"" + pddlOut + "\"\n");
        outputsWritten = false;
    }
    if (!planOut.empty()) {
        if (!lastSolve) {
            messages.append("No plan to write to \"" + planOut + "\"\n");
            outputsWritten = false;
        } else if (!writeSolveOutcome(planOut, *lastSolve)) {
            outputsWritten = false;
        }
    }
    printReport(false);
    return outputsWritten && inputsLoaded ? 0 : 1;
}

}  // namespace vexmolda

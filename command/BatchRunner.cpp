#include "command/BatchRunner.h"

#include <cstdio>

#include "command/Execute.h"
#include "command/LoadFile.h"
#include "command/Switches.h"
#include "command/Report.h"
#include "command/TextBuffer.h"
#include "pddl/PddlLoader.h"
#include "pddl/PlanWriter.h"

namespace vexmolda {

namespace {

const char* const usage =
    "usage: vexmolda-batch [FILE | -c LINE | --pddl DOMAIN PROBLEM | --validate PLAN]... [--pddl-out FILE.pln]\n"
    "                      [--plan-out FILE]\n"
    "  FILE                   load a domain file (wipes the domain first, then runs its lines)\n"
    "  -c LINE                run LINE as one command line\n"
    "  --pddl DOMAIN PROBLEM  load a PDDL domain and problem (wipes the domain first; builds the instances)\n"
    "  --validate PLAN        replay the plan file against the domain (as -c \"validate PLAN\")\n"
    "  --pddl-out FILE.pln    also save the translation of --pddl as a domain file\n"
    "  --plan-out FILE        after the last argument, write the plan in PDDL plan format\n"
    "Arguments run in order; the report is printed once at the end.\n";

bool isOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

// How many values follow an option; -1 for an unknown option.
int valueCount(const std::string& option) {
    if (option == "-c" || option == "--validate" || option == "--pddl-out" || option == "--plan-out") return 1;
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
    bool pddlGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-c") {
            executeLine(arguments[++i]);
        } else if (argument == "--validate") {
            dirty = true;
            validateCommand(arguments[++i]);
        } else if (argument == "--pddl") {
            const bool loaded = loadPddl(arguments[i + 1], arguments[i + 2], pddlOut);
            // A refusal is only a message, as for domain files; a translation
            // that was asked to be saved and was not is a failed output.
            if (!loaded && !pddlOut.empty()) outputsWritten = false;
            pddlGiven = true;
            i += 2;
        } else if (argument == "--pddl-out" || argument == "--plan-out") {
            ++i;
        } else {
            loadFile(argument);
        }
    }
    if (!pddlOut.empty() && !pddlGiven) {
        messages.append("No PDDL task to save to \"" + pddlOut + "\"\n");
        outputsWritten = false;
    }
    if (!planOut.empty() && !writeCurrentPlan(planOut)) outputsWritten = false;
    printReport(false);
    return outputsWritten ? 0 : 1;
}

}  // namespace vexmolda

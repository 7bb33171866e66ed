#include "command/BatchRunner.h"

#include <cstdio>

#include "command/Execute.h"
#include "command/LoadFile.h"
#include "command/Report.h"

namespace vexmolda {

namespace {

const char* const usage =
    "usage: vexmolda-batch [FILE | -c LINE]...\n"
    "  FILE     load a domain file (wipes the domain first, then runs its lines)\n"
    "  -c LINE  run LINE as one command line\n"
    "Arguments run in order; the report is printed once at the end.\n";

bool isOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

// Every option known and every "-c" followed by its line.
bool argumentsAreValid(const std::vector<std::string>& arguments) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "-c") {
            if (++i == arguments.size()) return false;
        } else if (isOption(arguments[i])) {
            return false;
        }
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
    if (!argumentsAreValid(arguments)) {
        std::fputs(usage, stderr);
        return 2;
    }
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "-c") {
            executeLine(arguments[++i]);
        } else {
            loadFile(arguments[i]);
        }
    }
    printReport(false);
    return 0;
}

}  // namespace vexmolda

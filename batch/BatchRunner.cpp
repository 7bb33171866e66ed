#include "batch/BatchRunner.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "batch/Interrupt.h"
#include "batch/ProgressReporter.h"
#include "command/Execute.h"
#include "command/LoadFile.h"
#include "command/Report.h"
#include "command/Session.h"
#include "command/Version.h"
#include "command/WorkOptions.h"
#include "pddl/PddlLoader.h"
#include "pddl/PlanWriter.h"
#include "solvers/Solver.h"

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
    "  --progress             show the progress of long work on standard error\n"
    "%s"
    "  --version              print the version and exit\n"
    "  --help                 print this help and exit\n"
    "Arguments run in order; the report is printed once at the end. Ctrl-C stops the running work,\n"
    "prints the report and ends with status 130; a second Ctrl-C ends at once.\n";

void printUsage(std::FILE* stream) { std::fprintf(stream, usage, workOptionsUsage); }

bool isOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

// How many values follow an option; -1 for an unknown option.
int valueCount(const std::string& option) {
    if (option == "-c" || option == "--validate" || option == "--pddl-out" || option == "--plan-out") return 1;
    if (option == "--pddl") return 2;
    return -1;
}

// Every option known and followed by its values; picks up the output files
// and the options for long work.
bool readArguments(const std::vector<std::string>& arguments, std::string& pddlOut, std::string& planOut,
                   WorkOptions& work, bool& progress) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (!isOption(arguments[i])) continue;
        if (arguments[i] == "--progress") {
            progress = true;
            continue;
        }
        const int workOption = readWorkOption(arguments, i, work);
        if (workOption < 0) return false;
        if (workOption > 0) continue;
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
            printUsage(stdout);
            return 0;
        }
        if (argument == "--version") {
            std::fputs(versionLine, stdout);
            return 0;
        }
    }
    std::string pddlOut;
    std::string planOut;
    WorkOptions work;
    bool progress = false;
    if (!readArguments(arguments, pddlOut, planOut, work, progress)) {
        printUsage(stderr);
        return 2;
    }
    Session session;
    applyWorkOptions(session, work);
    WorkControl& control = *session.control;
    installInterruptHandler(control);
    std::unique_ptr<ProgressReporter> reporter;
    if (progress) reporter = std::make_unique<ProgressReporter>(control);
    bool outputsWritten = true;
    bool inputsLoaded = true;
    bool pddlGiven = false;
    // The plan file gets the last solve's plan, taken as that solve ends.
    std::optional<SolveOutcome> lastSolve;
    if (!planOut.empty()) {
        session.hooks.afterSolve = [&lastSolve, solved = session.hooks.afterSolve](
                                       Session& s, const SolveResult& result, const WorkSummary& summary) {
            lastSolve = outcomeOfSolve(s, result.found);
            if (solved) solved(s, result, summary);
        };
    }
    // After Ctrl-C no further argument runs.
    for (std::size_t i = 0; i < arguments.size() && !session.quitRequested && !interrupted(); ++i) {
        const std::string& argument = arguments[i];
        control.begin();
        if (reporter) reporter->setWhat(argument == "-c" && i + 1 < arguments.size() ? arguments[i + 1] : argument);
        if (argument == "-c") {
            executeLine(session, arguments[++i]);
        } else if (argument == "--validate") {
            // As the command, but the path is taken whole, blanks and all.
            session.switches.dirty = true;
            validateCommand(session, arguments[++i]);
        } else if (argument == "--pddl") {
            // A refusal is a message as for domain files, and a failed run.
            if (!loadPddl(session, arguments[i + 1], arguments[i + 2], pddlOut)) inputsLoaded = false;
            pddlGiven = true;
            i += 2;
        } else if (argument == "--pddl-out" || argument == "--plan-out" || argument == "--time-limit" ||
                   argument == "--memory-limit") {
            ++i;
        } else if (argument == "--progress" || argument == "--stats") {
            continue;
        } else if (loadFile(session, argument) != LoadResult::loaded) {
            inputsLoaded = false;
        }
        if (reporter) reporter->setWhat("");
    }
    reporter.reset();
    // "q" ends the program at once, without a report.
    if (session.quitRequested) return 0;
    if (!pddlOut.empty() && !pddlGiven) {
        session.messages.append("No PDDL task to save to \"" + pddlOut + "\"\n");
        outputsWritten = false;
    }
    if (!planOut.empty()) {
        if (!lastSolve) {
            session.messages.append("No plan to write to \"" + planOut + "\"\n");
            outputsWritten = false;
        } else if (!writeSolveOutcome(session, planOut, *lastSolve)) {
            outputsWritten = false;
        }
    }
    printReport(session, false);
    const bool stoppedByUser = interrupted();
    uninstallInterruptHandler();
    if (stoppedByUser) return interruptedStatus;
    return outputsWritten && inputsLoaded ? 0 : 1;
}

}  // namespace vexmolda

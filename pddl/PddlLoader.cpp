#include "pddl/PddlLoader.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <cstdio>
#include <set>

#include "command/DomainWriter.h"
#include "command/Execute.h"
#include "command/ReadableFile.h"
#include "command/Session.h"
#include "command/Wipe.h"
#include "pddl/CompetitionStepNames.h"
#include "pddl/PddlReader.h"

namespace vexmolda {

namespace {

// The names of the last load and what it declared, to tell whether the
// domain in memory is still that one.
struct LoadedNames : SessionAttachment {
    PddlNames names;
    std::set<std::string> operationNames;
    std::set<std::string> atomNames;

    // A plan in the competitions' form is read back through the task's names;
    // it leaves out the goal operations.
    PlanReading planReading(const Session& session) const override {
        if (currentPddlNames(session) != &names) return {};
        PlanReading reading;
        // A copy: the names stay valid however long the mapping is kept.
        reading.mapping = [copy = names](const PlanStep& step) { return commandNamesOfStep(copy, step); };
        for (const auto& [operation, origin] : names.origins) {
            if (origin.hidden) reading.leftOutOperations.push_back(operation);
        }
        return reading;
    }
};

bool readWholeFile(TextBuffer& messages, const std::string& path, std::string& text) {
    std::FILE* file = openReadableFile(path, "rb", messages);
    if (!file) return false;
    text.clear();
    char buffer[65536];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, count);
    const int error = errno;
    const bool readWhole = !std::ferror(file);
    std::fclose(file);
    if (!readWhole) {
        const auto line = 1 + std::count(text.begin(), text.end(), '\n');
        messages.append(readFailedMessage(path, static_cast<int>(line), error));
    }
    return readWhole;
}

template <class Registry>
std::set<std::string> namesOf(const Registry& registry) {
    std::set<std::string> names;
    for (const auto& entry : registry) names.insert(entry.first);
    return names;
}

}  // namespace

bool translatePddlFiles(Session& session, const std::string& domainPath, const std::string& problemPath,
                        PddlTranslation& translation) {
    TextBuffer& messages = session.messages;
    WorkControl& control = *session.control;
    control.enter(WorkKind::translating);
    PddlDiagnostics diagnostics;
    diagnostics.control = &control;
    bool translated = false;
    bool filesRead = false;
    try {
        std::string domainText;
        std::string problemText;
        filesRead = readWholeFile(messages, domainPath, domainText) && readWholeFile(messages, problemPath, problemText);
        PddlTask task;
        translated = filesRead && readPddlDomain(domainText, domainPath, task.domain, diagnostics) &&
                     readPddlProblem(problemText, problemPath, task.domain, task.problem, diagnostics) &&
                     translatePddl(task, translation, diagnostics);
    } catch (const std::bad_alloc&) {
        // Whatever was made is freed by now; the load is refused as stopped.
        translation = PddlTranslation{};
        diagnostics.refusal = loadStoppedMessage(problemPath, StopReason::outOfMemory, control, "") + "\n";
        diagnostics.stopped = true;
        filesRead = true;
        translated = false;
    }
    // A limit ends this phase only; a stop by the user stays asked.
    control.leaveLimitedPhase();
    if (!translated) {
        messages.append(diagnostics.refusal);
        session.noTaskReason = !filesRead             ? "the PDDL files could not be read"
                               : diagnostics.stopped ? "loading the PDDL task was stopped"
                                                     : "the PDDL task was refused";
        return false;
    }
    for (const std::string& warning : diagnostics.warnings) messages.append(warning);
    return true;
}

bool loadPddl(Session& session, const std::string& domainPath, const std::string& problemPath,
              const std::string& plnPath) {
    PddlTranslation translation;
    if (!translatePddlFiles(session, domainPath, problemPath, translation)) return false;
    wipe(session);
    for (const std::string& line : linesToRun(translation, session.switches.noDups)) executeLine(session, line);
    bool saved = true;
    if (!plnPath.empty()) {
        // Written from the model, as "save" writes it.
        std::string error;
        saved = writeDomainFile(
            session, plnPath,
            {"translated from PDDL: domain " + translation.domainName + ", problem " + translation.problemName},
            error);
        if (!saved) session.messages.append("File \"" + plnPath + "\" not written: " + error + "\n");
    }
    auto loaded = std::make_shared<LoadedNames>();
    loaded->names = translation.names;
    loaded->operationNames = namesOf(session.model.operations);
    loaded->atomNames = namesOf(session.model.atoms);
    session.attachment = loaded;
    return saved;
}

PddlLoadJob::PddlLoadJob(Session& session, std::string domainPath, std::string problemPath)
    : session(session),
      domainPath(std::move(domainPath)),
      problemPath(std::move(problemPath)) {}

PddlLoadJob::~PddlLoadJob() = default;

void PddlLoadJob::run() {
    // The scratch session copies the switches as they are when the load starts.
    scratch = scratchSessionFor(session);
    const auto before = scratch->attachment;
    loadPddl(*scratch, domainPath, problemPath);
    // Only a load that went through names its task.
    replaced = scratch->attachment != before;
}

void PddlLoadJob::finish() {
    if (replaced) {
        adoptScratchSession(session, *scratch);
    } else {
        session.messages = std::move(scratch->messages);
        session.noTaskReason = std::move(scratch->noTaskReason);
    }
}

const PddlNames* currentPddlNames(const Session& session) {
    const auto* loaded = dynamic_cast<const LoadedNames*>(session.attachment.get());
    if (!loaded || loaded->operationNames != namesOf(session.model.operations) ||
        loaded->atomNames != namesOf(session.model.atoms)) {
        return nullptr;
    }
    return &loaded->names;
}

}  // namespace vexmolda

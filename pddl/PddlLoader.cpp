#include "pddl/PddlLoader.h"

#include <fstream>
#include <set>
#include <sstream>

#include "command/DomainWriter.h"
#include "command/Execute.h"
#include "command/Switches.h"
#include "command/TextBuffer.h"
#include "command/Wipe.h"
#include "domain/Atom.h"
#include "domain/Operation.h"
#include "pddl/PddlReader.h"

namespace vexmolda {

namespace {

// The names of the last load and what it declared, to tell whether the
// domain in memory is still that one.
struct LoadedNames {
    bool present = false;
    PddlNames names;
    std::set<std::string> operationNames;
    std::set<std::string> atomNames;
};

LoadedNames& loadedNames() {
    static LoadedNames loaded;
    return loaded;
}

bool readWholeFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        messages.append("File \"" + path + "\" not found\n");
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return true;
}

template <class Registry>
std::set<std::string> namesOf(const Registry& registry) {
    std::set<std::string> names;
    for (const auto& entry : registry) names.insert(entry.first);
    return names;
}

}  // namespace

bool translatePddlFiles(const std::string& domainPath, const std::string& problemPath,
                        PddlTranslation& translation) {
    std::string domainText;
    std::string problemText;
    if (!readWholeFile(domainPath, domainText) || !readWholeFile(problemPath, problemText)) return false;
    PddlDiagnostics diagnostics;
    PddlTask task;
    const bool translated = readPddlDomain(domainText, domainPath, task.domain, diagnostics) &&
                            readPddlProblem(problemText, problemPath, task.domain, task.problem, diagnostics) &&
                            translatePddl(task, translation, diagnostics);
    if (!translated) {
        messages.append(diagnostics.refusal);
        return false;
    }
    for (const std::string& warning : diagnostics.warnings) messages.append(warning);
    return true;
}

bool loadPddl(const std::string& domainPath, const std::string& problemPath, const std::string& plnPath) {
    PddlTranslation translation;
    if (!translatePddlFiles(domainPath, problemPath, translation)) return false;
    wipe();
    for (const std::string& line : linesToRun(translation, noDups)) executeLine(line);
    bool saved = true;
    if (!plnPath.empty()) {
        // Written from the model, as "save" writes it.
        std::string error;
        saved = writeDomainFile(
            plnPath, {"translated from PDDL: domain " + translation.domainName + ", problem " + translation.problemName},
            error);
        if (!saved) messages.append("File \"" + plnPath + "\" not written: " + error + "\n");
    }
    LoadedNames& loaded = loadedNames();
    loaded.present = true;
    loaded.names = translation.names;
    loaded.operationNames = namesOf(operations);
    loaded.atomNames = namesOf(Atom::registry());
    return saved;
}

const PddlNames* currentPddlNames() {
    const LoadedNames& loaded = loadedNames();
    if (!loaded.present || loaded.operationNames != namesOf(operations) ||
        loaded.atomNames != namesOf(Atom::registry())) {
        return nullptr;
    }
    return &loaded.names;
}

}  // namespace vexmolda

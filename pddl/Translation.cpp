#include "pddl/Translation.h"

#include <algorithm>
#include <map>

#include "pddl/GroundTranslation.h"
#include "pddl/SchemaTranslation.h"

namespace vexmolda {

namespace {

// More tuples than this make "buildInst" of the schemas, which knows no
// static facts, slower than binding them here.
constexpr double maxSchemaTuples = 1000000;

// Why the task is bound to objects in the translation.
enum class BindingNeed { none, size, constructs };

// Constructs the one-to-one translation cannot express, or schemas too
// large to ground blindly.
BindingNeed bindingNeed(const PddlTask& task) {
    if (task.domain.usesEither || task.problem.usesEither || !task.problem.plainGoal) return BindingNeed::constructs;
    // Objects counted by their kind (type and alternatives), not one by one.
    std::map<std::pair<std::string, std::vector<std::string>>, std::size_t> kinds;
    for (const PddlTypedName& object : task.allObjects()) ++kinds[{object.type, object.either}];
    double tuples = 0;
    for (const PddlAction& action : task.domain.actions) {
        if (!action.plain) return BindingNeed::constructs;
        double product = 1;
        for (const PddlTypedName& parameter : action.params) {
            std::size_t fitting = 0;
            for (const auto& [kind, count] : kinds) {
                if (task.domain.fits({"", "", kind.first, 0, kind.second}, parameter)) fitting += count;
            }
            product *= static_cast<double>(fitting);
        }
        tuples += product;
    }
    return tuples > maxSchemaTuples ? BindingNeed::size : BindingNeed::none;
}

void startTranslation(const PddlTask& task, PddlTranslation& translation) {
    translation = PddlTranslation{};
    translation.domainName = task.domain.name;
    translation.problemName = task.problem.name;
}

// The one-operation-per-action translation, or the translation started over
// when the schemas cannot express the task.
bool translateSchemas(const PddlTask& task, PddlTranslation& translation) {
    if (translateSchemaTask(task, translation)) return true;
    startTranslation(task, translation);
    return false;
}

}  // namespace

bool translatePddl(const PddlTask& task, PddlTranslation& translation, PddlDiagnostics& diagnostics) {
    startTranslation(task, translation);
    const BindingNeed need = bindingNeed(task);
    bool tooLarge = false;
    // Equalities the schemas cannot express are decided by binding instead.
    if (need == BindingNeed::none && translateSchemas(task, translation)) return true;
    if (need != BindingNeed::size) return translateGroundTask(task, translation, diagnostics, tooLarge);
    // Bound for speed only: too large to bind, a plain task keeps its schemas however big.
    PddlDiagnostics bound;
    bound.control = diagnostics.control;
    const bool translated = translateGroundTask(task, translation, bound, tooLarge);
    if (!translated && tooLarge && !bound.stopped) {
        startTranslation(task, translation);
        if (translateSchemas(task, translation)) return true;
    }
    diagnostics.warnings.insert(diagnostics.warnings.end(), bound.warnings.begin(), bound.warnings.end());
    if (!translated) {
        diagnostics.refusal = bound.refusal;
        diagnostics.stopped = bound.stopped;
    }
    return translated;
}

std::vector<std::string> linesToRun(const PddlTranslation& translation, bool noDupsNow) {
    std::vector<std::string> lines = translation.domainLines;
    if (noDupsNow != translation.distinctObjects) lines.push_back("noDups");
    lines.insert(lines.end(), translation.problemLines.begin(), translation.problemLines.end());
    lines.push_back("buildInst");
    return lines;
}

}  // namespace vexmolda

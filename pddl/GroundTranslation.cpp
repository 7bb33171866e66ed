#include "pddl/GroundTranslation.h"

#include <set>

#include "pddl/ActionCosts.h"
#include "pddl/GroundTask.h"
#include "pddl/TranslationNames.h"

namespace vexmolda {

namespace {

// Writes the lines of a grounded task.
class GroundWriter {
public:
    GroundWriter(const PddlTask& task, const GroundTask& ground, PddlTranslation& out, PddlDiagnostics& diagnostics)
        : task(task), domain(task.domain), ground(ground), out(out), diagnostics(diagnostics),
          names(nameTask(task, out.names)) {}

    void run() {
        // Zero-parameter operations ignore noDups; the start-up value fits.
        out.distinctObjects = true;
        writeTypeLines(domain, names, out.domainLines);
        writeAtomLines(task.allObjects(), names, out.domainLines);
        writePredicates();
        writeOperations();
        out.problemLines.push_back("init" + factsText(ground.init));
        std::vector<int> goal;
        if (ground.goalFact >= 0) {
            goal.push_back(ground.goalFact);
        } else {
            for (GroundLiteral literal : ground.goal) goal.push_back(literalFact(literal));
        }
        out.problemLines.push_back("goal" + factsText(goal));
        noteCompiled();
    }

private:
    std::string factText(int id) const {
        const PddlGroundFact& fact = ground.facts[id];
        std::string text = fact.role == FactRole::Goal         ? goalFactName
                           : fact.role == FactRole::Complement ? complementName.at(fact.predicate)
                                                               : names.predicateName.at(fact.predicate);
        if (fact.objects.empty()) return text;
        for (std::size_t i = 0; i < fact.objects.size(); ++i) {
            text += (i == 0 ? "(" : ",") + names.objectName.at(fact.objects[i]);
        }
        return text + ")";
    }

    std::string factsText(const std::vector<int>& facts) const {
        std::string text;
        for (int fact : facts) text += " " + factText(fact);
        return text;
    }

    // A position keeps its type when every fact there holds an object of exactly that type.
    void writePredicates() {
        std::set<std::string> taken;
        for (const auto& [pddl, command] : names.predicateName) taken.insert(command);
        NameAllocator allocator(taken);
        for (const std::string& predicate : ground.complemented) {
            complementName[predicate] = allocator.allocate("not_" + names.predicateName.at(predicate));
        }
        if (ground.goalFact >= 0) goalFactName = allocator.allocate("goal_reached");
        std::map<std::string, std::vector<bool>> mixed;
        for (const PddlPredicate& predicate : domain.predicates) {
            std::vector<bool>& positions = mixed[predicate.name];
            positions.assign(predicate.params.size(), false);
            for (std::size_t i = 0; i < predicate.params.size(); ++i) {
                positions[i] = !predicate.params[i].either.empty();
            }
        }
        for (int id = 0; id < ground.facts.size(); ++id) {
            const PddlGroundFact& fact = ground.facts[id];
            if (fact.role == FactRole::Goal) continue;
            const PddlPredicate& predicate = *domain.findPredicate(fact.predicate);
            for (std::size_t i = 0; i < fact.objects.size(); ++i) {
                const PddlTypedName& object = *task.findObject(fact.objects[i]);
                if (!object.either.empty() || object.type != predicate.params[i].type) mixed[fact.predicate][i] = true;
            }
        }
        auto declare = [&](const std::string& name, const PddlPredicate& predicate) {
            std::vector<std::string> types;
            for (std::size_t i = 0; i < predicate.params.size(); ++i) {
                types.push_back(mixed[predicate.name][i] ? anyTypeName : names.typeName.at(predicate.params[i].type));
            }
            out.domainLines.push_back(predicateLine(name, predicate, types));
        };
        for (const PddlPredicate& predicate : domain.predicates) {
            declare(names.predicateName.at(predicate.name), predicate);
        }
        for (const auto& [predicate, name] : complementName) declare(name, *domain.findPredicate(predicate));
        if (ground.goalFact >= 0) out.domainLines.push_back("pred " + goalFactName);
    }

    void writeOperations() {
        NameAllocator allocator;
        std::map<std::size_t, int> numbers;
        int goals = 0;
        out.names.actionCosts = hasActionCosts(domain);
        for (const GroundOperation& operation : ground.operations) {
            const PddlAction& action = domain.actions[operation.action];
            const std::string name = operation.goal ? allocator.allocate("goal_" + std::to_string(++goals))
                                                    : allocator.allocate(names.actionName.at(action.name) + "_" +
                                                                         std::to_string(++numbers[operation.action]));
            StepOrigin origin{action.spelling, {}, false, operation.goal, operation.cost};
            for (const std::string& argument : operation.arguments) {
                origin.arguments.push_back(task.findObject(argument)->spelling);
            }
            out.names.origins[name] = origin;
            out.domainLines.push_back("op " + name);
            std::vector<int> pre;
            for (GroundLiteral literal : operation.pre) pre.push_back(literalFact(literal));
            // "pre", "add" and "del" need at least one literal on the line.
            if (!pre.empty()) out.domainLines.push_back("pre " + name + factsText(pre));
            if (!operation.add.empty()) out.domainLines.push_back("add " + name + factsText(operation.add));
            if (!operation.del.empty()) out.domainLines.push_back("del " + name + factsText(operation.del));
        }
    }

    void noteCompiled() {
        const CompileCounts& counts = ground.counts;
        std::string complements;
        for (const auto& [predicate, name] : complementName) complements += (complements.empty() ? "" : ", ") + name;
        auto note = [&](int count, const std::string& text) {
            if (count > 0) diagnostics.note(std::to_string(count) + " " + text);
        };
        if (!complements.empty()) complements = " (" + complements + ")";
        note(counts.negativePreconditions, "negative preconditions compiled into complement predicates" + complements);
        note(counts.negativeGoals, "negative goals compiled into complement predicates" + complements);
        note(counts.equalities, "equalities decided by binding the parameters");
        note(counts.quantifiers, "quantifiers expanded over their objects");
        note(counts.disjunctions, "disjunctions and implications compiled into one operation per disjunct");
        note(counts.conditionalEffects, "conditional effects compiled by splitting operations into variants");
        std::string splits;
        for (const auto& [action, count] : counts.variants) {
            splits += (splits.empty() ? "" : ", ") + action + " split into " + std::to_string(count) + " variants";
        }
        if (!splits.empty()) diagnostics.note(splits);
        note(counts.goalOperations, "goal operations reach the disjunctive goal");
        std::size_t operations = 0;
        for (const auto& [action, count] : counts.operationsPerAction) operations += count;
        diagnostics.note(std::to_string(domain.actions.size()) + " actions bound to their objects: " +
                         std::to_string(operations) + " operations, static facts decided");
    }

    const PddlTask& task;
    const PddlDomain& domain;
    const GroundTask& ground;
    PddlTranslation& out;
    PddlDiagnostics& diagnostics;
    const TranslationNames names;
    std::map<std::string, std::string> complementName;
    std::string goalFactName;
};

}  // namespace

bool translateGroundTask(const PddlTask& task, PddlTranslation& translation, PddlDiagnostics& diagnostics,
                         bool& tooLarge) {
    GroundTask ground;
    tooLarge = false;
    if (!groundPddlTask(task, ground, diagnostics)) {
        tooLarge = ground.tooLarge;
        return false;
    }
    GroundWriter(task, ground, translation, diagnostics).run();
    return true;
}

}  // namespace vexmolda

#include "pddl/Translation.h"

#include <algorithm>
#include <map>

#include "pddl/ActionCosts.h"
#include "pddl/GroundTask.h"

namespace vexmolda {

namespace {

const std::string anyTypeName = "any";

template <class Named>
std::vector<std::string> keys(const std::vector<Named>& items) {
    std::vector<std::string> names;
    for (const Named& item : items) names.push_back(item.name);
    return names;
}

// Everything the translation decides, built up step by step.
class Translator {
public:
    Translator(const PddlTask& task, PddlTranslation& out, PddlDiagnostics& diagnostics)
        : task(task), domain(task.domain), out(out), diagnostics(diagnostics), objects(task.allObjects()) {
        for (const PddlTypedName& object : objects) objectTypes.insert(object.type);
    }

    bool run() {
        nameTypes();
        nameObjects();
        namePredicatesAndActions();
        decidePredicateTypes();
        if (!decideDistinctness()) return false;
        writeTypes();
        writeAtoms();
        writePredicates();
        for (const PddlAction& action : domain.actions) {
            if (!writeAction(action)) return false;
        }
        writeProblem();
        return true;
    }

    // Every action bound to objects: operations without parameters.
    bool runGrounded() {
        nameTypes();
        nameObjects();
        namePredicatesAndActions();
        GroundTask ground;
        if (!groundPddlTask(task, ground, diagnostics)) {
            groundTooLarge = ground.tooLarge;
            return false;
        }
        // Zero-parameter operations ignore noDups; the start-up value fits.
        out.distinctObjects = true;
        writeTypes();
        writeAtoms();
        writeGroundPredicates(ground);
        writeGroundOperations(ground);
        out.problemLines.push_back("init" + factsText(ground, ground.init));
        std::vector<int> goal;
        if (ground.goalFact >= 0) {
            goal.push_back(ground.goalFact);
        } else {
            for (GroundLiteral literal : ground.goal) goal.push_back(literalFact(literal));
        }
        out.problemLines.push_back("goal" + factsText(ground, goal));
        noteCompiled(ground);
        return true;
    }

    bool groundTooLarge = false;  // runGrounded refused the task for its size alone

    // The plain translation keeps the operations; costs still come with each.
    void keepCosts() {
        namePredicatesAndActions();
        out.names.actionCosts = true;
        for (const PddlAction& action : domain.actions) {
            out.names.origins[actionName.at(action.name)] = {action.spelling, {}, true, false, action.cost};
        }
    }

private:
    std::string factText(const GroundTask& ground, int id) const {
        const PddlGroundFact& fact = ground.facts[id];
        std::string text = fact.role == FactRole::Goal         ? goalFactName
                           : fact.role == FactRole::Complement ? complementName.at(fact.predicate)
                                                               : predicateName.at(fact.predicate);
        if (fact.objects.empty()) return text;
        for (std::size_t i = 0; i < fact.objects.size(); ++i) text += (i == 0 ? "(" : ",") + objectName.at(fact.objects[i]);
        return text + ")";
    }

    std::string factsText(const GroundTask& ground, const std::vector<int>& facts) const {
        std::string text;
        for (int fact : facts) text += " " + factText(ground, fact);
        return text;
    }

    // A position keeps its type when every fact there holds an object of exactly that type.
    void writeGroundPredicates(const GroundTask& ground) {
        std::set<std::string> taken;
        for (const auto& [pddl, command] : predicateName) taken.insert(command);
        NameAllocator allocator(taken);
        for (const std::string& predicate : ground.complemented) complementName[predicate] = allocator.allocate("not_" + predicateName.at(predicate));
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
            std::string line = "pred " + name;
            for (std::size_t i = 0; i < predicate.params.size(); ++i) {
                const std::string type = mixed[predicate.name][i] ? anyTypeName : typeName.at(predicate.params[i].type);
                line += (i == 0 ? "(" : ", ") + type + ":" + commandSafeName(predicate.params[i].name);
            }
            if (!predicate.params.empty()) line += ")";
            out.domainLines.push_back(line);
        };
        for (const PddlPredicate& predicate : domain.predicates) declare(predicateName.at(predicate.name), predicate);
        for (const auto& [predicate, name] : complementName) declare(name, *domain.findPredicate(predicate));
        if (ground.goalFact >= 0) out.domainLines.push_back("pred " + goalFactName);
    }

    void writeGroundOperations(const GroundTask& ground) {
        NameAllocator allocator;
        std::map<std::size_t, int> numbers;
        int goals = 0;
        out.names.actionCosts = hasActionCosts(domain);
        for (const GroundOperation& operation : ground.operations) {
            const PddlAction& action = domain.actions[operation.action];
            const std::string name =
                operation.goal ? allocator.allocate("goal_" + std::to_string(++goals))
                               : allocator.allocate(actionName.at(action.name) + "_" + std::to_string(++numbers[operation.action]));
            StepOrigin origin{action.spelling, {}, false, operation.goal, operation.cost};
            for (const std::string& argument : operation.arguments) origin.arguments.push_back(task.findObject(argument)->spelling);
            out.names.origins[name] = origin;
            out.domainLines.push_back("op " + name);
            std::vector<int> pre;
            for (GroundLiteral literal : operation.pre) pre.push_back(literalFact(literal));
            // "pre", "add" and "del" need at least one literal on the line.
            if (!pre.empty()) out.domainLines.push_back("pre " + name + factsText(ground, pre));
            if (!operation.add.empty()) out.domainLines.push_back("add " + name + factsText(ground, operation.add));
            if (!operation.del.empty()) out.domainLines.push_back("del " + name + factsText(ground, operation.del));
        }
    }

    void noteCompiled(const GroundTask& ground) {
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

    void nameTypes() {
        NameAllocator allocator({anyTypeName, pddlRootType});
        typeName[pddlRootType] = pddlRootType;
        std::vector<std::string> names;
        for (const PddlType& type : domain.types) names.push_back(type.name);
        const std::vector<std::string> allocated = allocator.allocateAll(names);
        for (std::size_t i = 0; i < names.size(); ++i) typeName[names[i]] = allocated[i];
    }

    // Objects never take a type's name: constraint members look types up first.
    void nameObjects() {
        std::set<std::string> reserved = {anyTypeName};
        for (const auto& [pddl, command] : typeName) reserved.insert(command);
        NameAllocator allocator(reserved);
        const std::vector<std::string> allocated = allocator.allocateAll(keys(objects));
        for (std::size_t i = 0; i < objects.size(); ++i) {
            objectName[objects[i].name] = allocated[i];
            out.names.objectSpelling[allocated[i]] = objects[i].spelling;
        }
    }

    void namePredicatesAndActions() {
        const std::vector<std::string> predicates = NameAllocator().allocateAll(keys(domain.predicates));
        for (std::size_t i = 0; i < predicates.size(); ++i) predicateName[domain.predicates[i].name] = predicates[i];
        const std::vector<std::string> actions = NameAllocator().allocateAll(keys(domain.actions));
        for (std::size_t i = 0; i < actions.size(); ++i) {
            actionName[domain.actions[i].name] = actions[i];
            out.names.actionSpelling[actions[i]] = domain.actions[i].spelling;
        }
    }

    // Parameters never take an object's name: literals look objects up first.
    std::map<std::string, std::string> parameterNames(const PddlAction& action) const {
        std::set<std::string> reserved;
        for (const auto& [pddl, command] : objectName) reserved.insert(command);
        const std::vector<std::string> allocated = NameAllocator(reserved).allocateAll(keys(action.params));
        std::map<std::string, std::string> names;
        for (std::size_t i = 0; i < allocated.size(); ++i) names[action.params[i].name] = allocated[i];
        return names;
    }

    std::string parameterType(const std::string& pddlType) const {
        return pddlType == pddlRootType ? anyTypeName : typeName.at(pddlType);
    }

    // Facts check types exactly, grounding accepts subtypes: a predicate
    // position keeps its type only when everything that can reach it,
    // objects and parameters alike, has exactly that type.
    void decidePredicateTypes() {
        std::map<std::string, std::vector<bool>> mixed;
        for (const PddlPredicate& predicate : domain.predicates) {
            mixed[predicate.name].assign(predicate.params.size(), false);
        }
        auto reach = [&](const PddlLiteral& literal, const PddlAction* action) {
            const PddlPredicate& predicate = *domain.findPredicate(literal.predicate);
            for (std::size_t i = 0; i < literal.args.size(); ++i) {
                const std::string& declared = predicate.params[i].type;
                const PddlTerm& term = literal.args[i];
                bool exact = true;
                if (!term.isVariable) {
                    exact = task.findObject(term.name)->type == declared;
                } else {
                    const std::string& type = parameterOf(*action, term.name).type;
                    // A parameter of the root type becomes "any", which no declared type equals.
                    exact = type == declared && type != pddlRootType;
                    for (const std::string& objectType : objectTypes) {
                        if (domain.isSubtype(objectType, type) && objectType != declared) exact = false;
                    }
                }
                if (!exact) mixed[predicate.name][i] = true;
            }
        };
        for (const PddlAction& action : domain.actions) {
            for (const auto* set : {&action.pre, &action.add, &action.del}) {
                for (const PddlLiteral& literal : *set) reach(literal, &action);
            }
        }
        for (const PddlLiteral& literal : task.problem.init) reach(literal, nullptr);
        for (const PddlLiteral& literal : task.problem.goal) reach(literal, nullptr);
        for (const PddlPredicate& predicate : domain.predicates) {
            std::vector<std::string>& types = predicateTypes[predicate.name];
            for (std::size_t i = 0; i < predicate.params.size(); ++i) {
                types.push_back(mixed[predicate.name][i] ? anyTypeName : typeName.at(predicate.params[i].type));
            }
        }
    }

    static const PddlTypedName& parameterOf(const PddlAction& action, const std::string& name) {
        return *std::find_if(action.params.begin(), action.params.end(),
                             [&](const PddlTypedName& parameter) { return parameter.name == name; });
    }

    bool canShareObject(const std::string& leftType, const std::string& rightType) const {
        return std::any_of(objectTypes.begin(), objectTypes.end(), [&](const std::string& objectType) {
            return domain.isSubtype(objectType, leftType) && domain.isSubtype(objectType, rightType);
        });
    }

    bool demandsDistinct(const PddlAction& action, const std::string& left, const std::string& right) const {
        return std::any_of(action.equalities.begin(), action.equalities.end(), [&](const PddlEquality& equality) {
            return equality.negated && equality.left.isVariable && equality.right.isVariable &&
                   ((equality.left.name == left && equality.right.name == right) ||
                    (equality.left.name == right && equality.right.name == left));
        });
    }

    // noDups is the only way to keep two parameters apart, and it holds for
    // all operations or none; pairs that can never share an object do not count.
    bool decideDistinctness() {
        const PddlAction* demanding = nullptr;
        const PddlEquality* demand = nullptr;
        const PddlAction* lenient = nullptr;
        std::string lenientPair;
        for (const PddlAction& action : domain.actions) {
            for (std::size_t i = 0; i < action.params.size(); ++i) {
                for (std::size_t j = i + 1; j < action.params.size(); ++j) {
                    const PddlTypedName& left = action.params[i];
                    const PddlTypedName& right = action.params[j];
                    if (!canShareObject(left.type, right.type)) continue;
                    if (demandsDistinct(action, left.name, right.name)) {
                        if (!demanding) demanding = &action;
                    } else if (!lenient) {
                        lenient = &action;
                        lenientPair = "?" + left.name + " and ?" + right.name;
                    }
                }
            }
        }
        if (demanding) {
            for (const PddlEquality& equality : demanding->equalities) {
                if (equality.negated && equality.left.isVariable && equality.right.isVariable) {
                    demand = &equality;
                    break;
                }
            }
        }
        if (demanding && lenient) {
            diagnostics.refuse(domain.file, demand->line,
                               "(not (= ?" + demand->left.name + " ?" + demand->right.name + ")) in action \"" +
                                   demanding->name + "\" cannot be translated: action \"" + lenient->name +
                                   "\" lets " + lenientPair +
                                   " take one object, and distinct objects can only be demanded of all actions");
            return false;
        }
        out.distinctObjects = demanding != nullptr;
        return true;
    }

    std::string literalText(const PddlLiteral& literal, const std::map<std::string, std::string>* parameters) const {
        std::string text = predicateName.at(literal.predicate);
        if (literal.args.empty()) return text;
        text += "(";
        for (std::size_t i = 0; i < literal.args.size(); ++i) {
            if (i > 0) text += ",";
            const PddlTerm& term = literal.args[i];
            text += term.isVariable ? parameters->at(term.name) : objectName.at(term.name);
        }
        return text + ")";
    }

    std::string literalsText(const std::vector<PddlLiteral>& literals,
                             const std::map<std::string, std::string>* parameters) const {
        std::string text;
        for (const PddlLiteral& literal : literals) text += " " + literalText(literal, parameters);
        return text;
    }

    void writeTypes() {
        out.domainLines.push_back("type " + std::string(pddlRootType));
        // One "derived" line per parent, in the order the parents' first children come.
        std::vector<std::string> parents;
        std::map<std::string, std::string> children;
        for (const PddlType& type : domain.types) {
            if (!children.count(type.parent)) parents.push_back(type.parent);
            children[type.parent] += " " + typeName.at(type.name);
        }
        for (const std::string& parent : parents) {
            out.domainLines.push_back("derived " + typeName.at(parent) + children[parent]);
        }
    }

    void writeAtoms() {
        std::vector<std::string> order;
        std::map<std::string, std::string> members;
        for (const PddlTypedName& object : objects) {
            if (!members.count(object.type)) order.push_back(object.type);
            members[object.type] += " " + objectName.at(object.name);
        }
        for (const std::string& type : order) out.domainLines.push_back("atom " + typeName.at(type) + members[type]);
    }

    void writePredicates() {
        for (const PddlPredicate& predicate : domain.predicates) {
            std::string line = "pred " + predicateName.at(predicate.name);
            const std::vector<std::string>& types = predicateTypes.at(predicate.name);
            for (std::size_t i = 0; i < predicate.params.size(); ++i) {
                line += (i == 0 ? "(" : ", ") + types[i] + ":" + commandSafeName(predicate.params[i].name);
            }
            if (!predicate.params.empty()) line += ")";
            out.domainLines.push_back(line);
        }
    }

    // Equalities with constants become membership items; between two
    // parameters only the inequalities noDups stands for are accepted.
    bool constraintLines(const PddlAction& action, const std::map<std::string, std::string>& parameters,
                         std::vector<std::string>& lines) {
        const std::string& name = actionName.at(action.name);
        for (const PddlEquality& equality : action.equalities) {
            const PddlTerm& left = equality.left;
            const PddlTerm& right = equality.right;
            if (left.isVariable && right.isVariable) {
                if (left.name == right.name && equality.negated) {
                    diagnostics.refuse(domain.file, equality.line,
                                       "(not (= ?" + left.name + " ?" + left.name + ")) in action \"" + action.name +
                                           "\" never holds");
                    return false;
                }
                if (left.name != right.name && !equality.negated) {
                    diagnostics.refuse(domain.file, equality.line,
                                       "(= ?" + left.name + " ?" + right.name + ") in action \"" + action.name +
                                           "\" cannot be translated: parameters can only be kept apart, not joined");
                    return false;
                }
                continue;  // kept apart by noDups, or always true
            }
            if (!left.isVariable && !right.isVariable) {
                if ((left.name == right.name) == equality.negated) {
                    diagnostics.refuse(domain.file, equality.line,
                                       "comparison of the constants \"" + left.name + "\" and \"" + right.name +
                                           "\" in action \"" + action.name + "\" never holds");
                    return false;
                }
                continue;
            }
            const PddlTerm& variable = left.isVariable ? left : right;
            const PddlTerm& constant = left.isVariable ? right : left;
            lines.push_back("const " + name + " " + (equality.negated ? "~" : "") + "eq(" +
                            parameters.at(variable.name) + " " + objectName.at(constant.name) + ")");
        }
        return true;
    }

    bool writeAction(const PddlAction& action) {
        const std::map<std::string, std::string> parameters = parameterNames(action);
        const std::string& name = actionName.at(action.name);
        std::string line = "op " + name;
        for (std::size_t i = 0; i < action.params.size(); ++i) {
            const PddlTypedName& parameter = action.params[i];
            line += (i == 0 ? "(" : ", ") + parameterType(parameter.type) + ":" + parameters.at(parameter.name);
        }
        if (!action.params.empty()) line += ")";
        out.domainLines.push_back(line);
        // "pre", "add" and "del" need at least one literal on the line.
        if (!action.pre.empty()) out.domainLines.push_back("pre " + name + literalsText(action.pre, &parameters));
        if (!action.add.empty()) out.domainLines.push_back("add " + name + literalsText(action.add, &parameters));
        if (!action.del.empty()) out.domainLines.push_back("del " + name + literalsText(action.del, &parameters));
        return constraintLines(action, parameters, out.domainLines);
    }

    void writeProblem() {
        out.problemLines.push_back("init" + literalsText(task.problem.init, nullptr));
        out.problemLines.push_back("goal" + literalsText(task.problem.goal, nullptr));
    }

    const PddlTask& task;
    const PddlDomain& domain;
    PddlTranslation& out;
    PddlDiagnostics& diagnostics;
    const std::vector<PddlTypedName> objects;
    std::set<std::string> objectTypes;  // the declared types of the objects, each once
    std::map<std::string, std::string> typeName;
    std::map<std::string, std::string> objectName;
    std::map<std::string, std::string> predicateName;
    std::map<std::string, std::string> actionName;
    std::map<std::string, std::vector<std::string>> predicateTypes;
    std::map<std::string, std::string> complementName;
    std::string goalFactName;
};

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

// The one-operation-per-action translation; false with nothing said when the
// schemas cannot express the task.
bool translateSchemas(const PddlTask& task, PddlTranslation& translation, PddlDiagnostics& diagnostics) {
    PddlDiagnostics schemaDiagnostics;
    if (!Translator(task, translation, schemaDiagnostics).run()) {
        startTranslation(task, translation);
        return false;
    }
    if (hasActionCosts(task.domain)) Translator(task, translation, diagnostics).keepCosts();
    return true;
}

}  // namespace

bool translatePddl(const PddlTask& task, PddlTranslation& translation, PddlDiagnostics& diagnostics) {
    startTranslation(task, translation);
    const BindingNeed need = bindingNeed(task);
    // Equalities the schemas cannot express are decided by binding instead.
    if (need == BindingNeed::none && translateSchemas(task, translation, diagnostics)) return true;
    if (need != BindingNeed::size) return Translator(task, translation, diagnostics).runGrounded();
    // Bound for speed only: too large to bind, a plain task keeps its schemas however big.
    PddlDiagnostics bound;
    bound.control = diagnostics.control;
    Translator translator(task, translation, bound);
    const bool translated = translator.runGrounded();
    if (!translated && translator.groundTooLarge && !bound.stopped) {
        startTranslation(task, translation);
        if (translateSchemas(task, translation, diagnostics)) return true;
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

#include "pddl/SchemaTranslation.h"

#include <algorithm>
#include <set>

#include "pddl/ActionCosts.h"
#include "pddl/TranslationNames.h"

namespace vexmolda {

namespace {

// What the schema translation decides, then writes.
class SchemaWriter {
public:
    SchemaWriter(const PddlTask& task, PddlTranslation& out)
        : task(task), domain(task.domain), out(out), objects(task.allObjects()), names(nameTask(task, out.names)) {
        for (const PddlTypedName& object : objects) objectTypes.insert(object.type);
    }

    bool run() {
        decidePredicateTypes();
        if (!decideDistinctness()) return false;
        writeTypeLines(domain, names, out.domainLines);
        writeAtomLines(objects, names, out.domainLines);
        for (const PddlPredicate& predicate : domain.predicates) {
            out.domainLines.push_back(
                predicateLine(names.predicateName.at(predicate.name), predicate, predicateTypes.at(predicate.name)));
        }
        for (const PddlAction& action : domain.actions) {
            if (!writeAction(action)) return false;
        }
        out.problemLines.push_back("init" + literalsText(task.problem.init, nullptr));
        out.problemLines.push_back("goal" + literalsText(task.problem.goal, nullptr));
        if (hasActionCosts(domain)) keepCosts();
        return true;
    }

private:
    // The operations stay the actions; costs still come with each.
    void keepCosts() {
        out.names.actionCosts = true;
        for (const PddlAction& action : domain.actions) {
            out.names.origins[names.actionName.at(action.name)] = {action.spelling, {}, true, false, action.cost};
        }
    }

    std::string parameterType(const std::string& pddlType) const {
        return pddlType == pddlRootType ? anyTypeName : names.typeName.at(pddlType);
    }

    static const PddlTypedName& parameterOf(const PddlAction& action, const std::string& name) {
        return *std::find_if(action.params.begin(), action.params.end(),
                             [&](const PddlTypedName& parameter) { return parameter.name == name; });
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
                types.push_back(mixed[predicate.name][i] ? anyTypeName : names.typeName.at(predicate.params[i].type));
            }
        }
    }

    bool canShareObject(const std::string& leftType, const std::string& rightType) const {
        return std::any_of(objectTypes.begin(), objectTypes.end(), [&](const std::string& objectType) {
            return domain.isSubtype(objectType, leftType) && domain.isSubtype(objectType, rightType);
        });
    }

    static bool demandsDistinct(const PddlAction& action, const std::string& left, const std::string& right) {
        return std::any_of(action.equalities.begin(), action.equalities.end(), [&](const PddlEquality& equality) {
            return equality.negated && equality.left.isVariable && equality.right.isVariable &&
                   ((equality.left.name == left && equality.right.name == right) ||
                    (equality.left.name == right && equality.right.name == left));
        });
    }

    // noDups is the only way to keep two parameters apart, and it holds for
    // all operations or none; pairs that can never share an object do not
    // count. False when some actions demand distinct objects and others not.
    bool decideDistinctness() {
        bool demanding = false;
        bool lenient = false;
        for (const PddlAction& action : domain.actions) {
            for (std::size_t i = 0; i < action.params.size(); ++i) {
                for (std::size_t j = i + 1; j < action.params.size(); ++j) {
                    const PddlTypedName& left = action.params[i];
                    const PddlTypedName& right = action.params[j];
                    if (!canShareObject(left.type, right.type)) continue;
                    (demandsDistinct(action, left.name, right.name) ? demanding : lenient) = true;
                }
            }
        }
        out.distinctObjects = demanding;
        return !(demanding && lenient);
    }

    std::string literalText(const PddlLiteral& literal, const std::map<std::string, std::string>* parameters) const {
        std::string text = names.predicateName.at(literal.predicate);
        if (literal.args.empty()) return text;
        text += "(";
        for (std::size_t i = 0; i < literal.args.size(); ++i) {
            if (i > 0) text += ",";
            const PddlTerm& term = literal.args[i];
            text += term.isVariable ? parameters->at(term.name) : names.objectName.at(term.name);
        }
        return text + ")";
    }

    std::string literalsText(const std::vector<PddlLiteral>& literals,
                             const std::map<std::string, std::string>* parameters) const {
        std::string text;
        for (const PddlLiteral& literal : literals) text += " " + literalText(literal, parameters);
        return text;
    }

    // Equalities with constants become membership items; between two
    // parameters only the inequalities noDups stands for are expressible.
    // False for an equality that only binding decides.
    bool constraintLines(const PddlAction& action, const std::map<std::string, std::string>& parameters) {
        const std::string& name = names.actionName.at(action.name);
        for (const PddlEquality& equality : action.equalities) {
            const PddlTerm& left = equality.left;
            const PddlTerm& right = equality.right;
            if (left.isVariable && right.isVariable) {
                // "(not (= ?x ?x))" never holds; "(= ?x ?y)" would join two parameters.
                if ((left.name == right.name) == equality.negated) return false;
                continue;  // kept apart by noDups, or always true
            }
            if (!left.isVariable && !right.isVariable) {
                // A comparison of constants that never holds.
                if ((left.name == right.name) == equality.negated) return false;
                continue;
            }
            const PddlTerm& variable = left.isVariable ? left : right;
            const PddlTerm& constant = left.isVariable ? right : left;
            out.domainLines.push_back("const " + name + " " + (equality.negated ? "~" : "") + "eq(" +
                                      parameters.at(variable.name) + " " + names.objectName.at(constant.name) + ")");
        }
        return true;
    }

    bool writeAction(const PddlAction& action) {
        const std::map<std::string, std::string> parameters = parameterNames(action, names);
        const std::string& name = names.actionName.at(action.name);
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
        return constraintLines(action, parameters);
    }

    const PddlTask& task;
    const PddlDomain& domain;
    PddlTranslation& out;
    const std::vector<PddlTypedName> objects;
    const TranslationNames names;
    std::set<std::string> objectTypes;  // the declared types of the objects, each once
    std::map<std::string, std::vector<std::string>> predicateTypes;
};

}  // namespace

bool translateSchemaTask(const PddlTask& task, PddlTranslation& translation) {
    return SchemaWriter(task, translation).run();
}

}  // namespace vexmolda

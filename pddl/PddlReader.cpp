#include "pddl/PddlReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>

#include "pddl/SExpression.h"

namespace vexmolda {

namespace {

const std::string costFluent = "total-cost";

// The constructs outside the STRIPS subset, by the keyword that opens them.
std::string unsupportedConstruct(const std::string& keyword) {
    static const std::map<std::string, std::string> names = {
        {"or", "disjunction (or)"},
        {"imply", "implication (imply)"},
        {"exists", "quantifier (exists)"},
        {"forall", "quantifier (forall)"},
        {"when", "conditional effect (when)"},
        {"either", "union type (either)"},
        {"preference", "preference"},
        {"<", "numeric condition (<)"},
        {">", "numeric condition (>)"},
        {"<=", "numeric condition (<=)"},
        {">=", "numeric condition (>=)"},
        {"increase", "numeric effect (increase)"},
        {"decrease", "numeric effect (decrease)"},
        {"assign", "numeric effect (assign)"},
        {"scale-up", "numeric effect (scale-up)"},
        {"scale-down", "numeric effect (scale-down)"},
        {"at", "timed literal (at)"},
        {"over", "timed condition (over)"},
        {":derived", "derived predicate (:derived)"},
        {":durative-action", "durative action (:durative-action)"},
        {":constraints", "constraints (:constraints)"},
        {":process", "process (:process)"},
        {":event", "event (:event)"},
    };
    auto position = names.find(keyword);
    return position == names.end() ? std::string() : position->second;
}

// A word that is a whole number of at least 0 that fits; false for anything else.
bool nonNegativeNumber(const SExpression& value, long long& number) {
    if (!value.isWord() || value.text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    number = std::strtoll(value.text.c_str(), &end, 10);
    return *end == '\0' && errno == 0 && number >= 0;
}

// Reading state shared by the domain and the problem reader.
class Reader {
public:
    Reader(const std::string& file, PddlDiagnostics& diagnostics) : file(file), diagnostics(diagnostics) {}

    bool failed() const { return diagnostics.refused(); }

    void refuse(int line, const std::string& text) { diagnostics.refuse(file, line, text); }

    // Polls the stop request at a step of reading; false after the refusal
    // that says the load stopped at that line.
    bool goOn(int line) {
        if (diagnostics.control) diagnostics.control->first.store(static_cast<std::uint64_t>(line), std::memory_order_relaxed);
        if (!diagnostics.stopAsked()) return true;
        diagnostics.refuseStopped(file, "at line " + std::to_string(line));
        return false;
    }

    void refuseConstruct(const SExpression& at, const std::string& keyword) {
        const std::string name = unsupportedConstruct(keyword);
        refuse(at.line, (name.empty() ? "\"" + keyword + "\"" : name) + " is not supported");
    }

    // Says once per load, where costs first appear, what becomes of them.
    void noteCost(int line) {
        if (costWarned) return;
        costWarned = true;
        diagnostics.warn(file, line, "action costs (total-cost) kept for the plan's cost, not used in the search");
    }

    // The one "(define (KIND name) ...)" of the file, or null after a refusal.
    const SExpression* definition(const std::vector<SExpression>& expressions, const std::string& kind) {
        if (expressions.size() != 1 || !expressions[0].startsWith("define")) {
            refuse(expressions.empty() ? 1 : expressions[expressions.size() > 1 ? 1 : 0].line,
                   "expected one (define (" + kind + " NAME) ...)");
            return nullptr;
        }
        const SExpression& define = expressions[0];
        if (define.items.size() < 2 || !define.items[1].startsWith(kind) || define.items[1].items.size() != 2 ||
            !define.items[1].items[1].isWord()) {
            refuse(define.line, "expected (define (" + kind + " NAME) ...)");
            return nullptr;
        }
        return &define;
    }

    // Reads "a b - t c" into names with types; parameters start with "?".
    bool typedList(const std::vector<SExpression>& items, std::size_t first, bool parameters,
                   std::vector<PddlTypedName>& out, bool allowEither = false) {
        std::size_t pending = out.size();
        for (std::size_t i = first; i < items.size(); ++i) {
            const SExpression& item = items[i];
            if (!goOn(item.line)) return false;
            if (item.isWord() && item.text == "-") {
                if (i + 1 == items.size()) {
                    refuse(item.line, "a type name must follow \"-\"");
                    return false;
                }
                const SExpression& type = items[++i];
                std::vector<std::string> alternatives;
                if (type.isList && allowEither && type.startsWith("either") && type.items.size() > 1) {
                    for (std::size_t k = 1; k < type.items.size(); ++k) {
                        if (type.items[k].isList) {
                            refuse(type.items[k].line, "a type name was expected, not a list");
                            return false;
                        }
                        alternatives.push_back(type.items[k].key());
                    }
                } else if (type.isList) {
                    refuseConstruct(type, type.startsWith("either") ? "either" : "(");
                    return false;
                }
                for (std::size_t j = pending; j < out.size(); ++j) {
                    out[j].type = alternatives.empty() ? type.key() : pddlRootType;
                    out[j].either = alternatives;
                }
                pending = out.size();
                continue;
            }
            if (item.isList) {
                refuse(item.line, "a name was expected, not a list");
                return false;
            }
            const bool variable = !item.text.empty() && item.text[0] == '?';
            if (variable != parameters || item.text.size() < (parameters ? 2u : 1u)) {
                refuse(item.line, parameters ? "parameter \"" + item.text + "\" must start with \"?\""
                                             : "\"" + item.text + "\" is not a valid name here");
                return false;
            }
            const std::string spelling = parameters ? item.text.substr(1) : item.text;
            out.push_back({lowerCase(spelling), spelling, pddlRootType, item.line, {}});
        }
        return true;
    }

    bool typesKnown(const PddlDomain& domain, const std::vector<PddlTypedName>& names) {
        for (const PddlTypedName& name : names) {
            for (const std::string& type : name.either.empty() ? std::vector<std::string>{name.type} : name.either) {
                if (!domain.hasType(type)) {
                    refuse(name.line, "type \"" + type + "\" is not declared");
                    return false;
                }
            }
        }
        return true;
    }

    // A literal "(p t1 t2)"; variables must be parameters, constants objects.
    bool literal(const SExpression& expression, const PddlDomain& domain,
                 const std::vector<PddlTypedName>* parameters, const PddlProblem* problem, PddlLiteral& out) {
        if (!expression.isList || expression.items.empty() || expression.items[0].isList) {
            refuse(expression.line, "a literal (PREDICATE ARGUMENTS...) was expected");
            return false;
        }
        out.predicate = expression.items[0].key();
        out.line = expression.line;
        const PddlPredicate* predicate = domain.findPredicate(out.predicate);
        if (!predicate) {
            const std::string construct = unsupportedConstruct(out.predicate);
            if (!construct.empty()) {
                refuseConstruct(expression, out.predicate);
            } else {
                refuse(expression.line, "predicate \"" + out.predicate + "\" is not declared");
            }
            return false;
        }
        for (std::size_t i = 1; i < expression.items.size(); ++i) {
            PddlTerm term;
            if (!this->term(expression.items[i], domain, parameters, problem, term)) return false;
            out.args.push_back(term);
        }
        if (out.args.size() != predicate->params.size()) {
            refuse(expression.line, "predicate \"" + out.predicate + "\" takes " +
                                        std::to_string(predicate->params.size()) + " arguments, not " +
                                        std::to_string(out.args.size()));
            return false;
        }
        return true;
    }

    bool term(const SExpression& item, const PddlDomain& domain, const std::vector<PddlTypedName>* parameters,
              const PddlProblem* problem, PddlTerm& out) {
        if (item.isList) {
            refuse(item.line, "function term is not supported");
            return false;
        }
        if (!item.text.empty() && item.text[0] == '?') {
            out = {lowerCase(item.text.substr(1)), true};
            const bool known = parameters && std::any_of(parameters->begin(), parameters->end(),
                                                         [&](const PddlTypedName& p) { return p.name == out.name; });
            if (!known) {
                refuse(item.line, "\"" + item.text + "\" is not a parameter here");
                return false;
            }
            return true;
        }
        out = {item.key(), false};
        const bool known = domain.findConstant(out.name) || (problem && problem->findObject(out.name));
        if (!known) {
            refuse(item.line, "object \"" + item.text + "\" is not declared");
            return false;
        }
        return true;
    }

    bool equality(const SExpression& expression, bool negated, const PddlDomain& domain,
                  const std::vector<PddlTypedName>* parameters, const PddlProblem* problem, PddlEquality& out) {
        if (expression.items.size() != 3) {
            refuse(expression.line, "\"=\" compares exactly two terms");
            return false;
        }
        out.negated = negated;
        out.line = expression.line;
        return term(expression.items[1], domain, parameters, problem, out.left) &&
               term(expression.items[2], domain, parameters, problem, out.right);
    }

    const std::string& file;
    PddlDiagnostics& diagnostics;
    bool costWarned = false;
};

// Refuses a list opened by the keyword of an unsupported construct; a
// predicate of the same name (such as "at") is no construct.
bool refusedKeyword(Reader& reader, const SExpression& expression, const PddlDomain& domain) {
    const std::string keyword = expression.items[0].isWord() ? expression.items[0].key() : "";
    if (unsupportedConstruct(keyword).empty() || domain.findPredicate(keyword)) return false;
    reader.refuseConstruct(expression, keyword);
    return true;
}

// Reads "(?a ?b - t)" of a quantifier into the variables, and returns the
// scope its body sees: the outer names with these in front.
bool quantifiedScope(Reader& reader, const SExpression& list, const PddlDomain& domain,
                     const std::vector<PddlTypedName>* outer, std::vector<PddlTypedName>& variables,
                     std::vector<PddlTypedName>& scope) {
    if (!list.isList) {
        reader.refuse(list.line, "a quantifier needs a list of variables");
        return false;
    }
    if (!reader.typedList(list.items, 0, true, variables, true) || !reader.typesKnown(domain, variables)) return false;
    scope = variables;
    if (outer) scope.insert(scope.end(), outer->begin(), outer->end());
    return true;
}

// A precondition or goal: literals and equalities under and, or, not, imply,
// forall and exists.
bool readFormula(Reader& reader, const SExpression& expression, const PddlDomain& domain,
                 const std::vector<PddlTypedName>* scope, const PddlProblem* problem, PddlFormula& out) {
    out = PddlFormula{};
    out.line = expression.line;
    if (!reader.goOn(expression.line)) return false;
    if (expression.isWord()) {
        reader.refuse(expression.line, "a condition in parentheses was expected, not \"" + expression.text + "\"");
        return false;
    }
    if (expression.items.empty()) return true;  // "()" holds always
    const std::string keyword = expression.items[0].isWord() ? expression.items[0].key() : "";
    auto parts = [&](std::size_t first, std::size_t count) {
        if (count && expression.items.size() != first + count) {
            reader.refuse(expression.line, "\"" + keyword + "\" takes " + std::to_string(count) +
                                               (count == 1 ? " condition" : " conditions"));
            return false;
        }
        for (std::size_t i = first; i < expression.items.size(); ++i) {
            out.parts.emplace_back();
            if (!readFormula(reader, expression.items[i], domain, scope, problem, out.parts.back())) return false;
        }
        return true;
    };
    if (keyword == "and" || keyword == "or") {
        out.kind = keyword == "and" ? PddlFormula::Kind::And : PddlFormula::Kind::Or;
        return parts(1, 0);
    }
    if (keyword == "not" || keyword == "imply") {
        out.kind = keyword == "not" ? PddlFormula::Kind::Not : PddlFormula::Kind::Imply;
        return parts(1, keyword == "not" ? 1 : 2);
    }
    if (keyword == "forall" || keyword == "exists") {
        out.kind = keyword == "forall" ? PddlFormula::Kind::Forall : PddlFormula::Kind::Exists;
        if (expression.items.size() != 3) {
            reader.refuse(expression.line, "\"" + keyword + "\" takes variables and one condition");
            return false;
        }
        std::vector<PddlTypedName> inner;
        if (!quantifiedScope(reader, expression.items[1], domain, scope, out.variables, inner)) return false;
        out.parts.emplace_back();
        return readFormula(reader, expression.items[2], domain, &inner, problem, out.parts.back());
    }
    if (keyword == "=") {
        if (expression.items.size() != 3) {
            reader.refuse(expression.line, "\"=\" compares exactly two terms");
            return false;
        }
        out.kind = PddlFormula::Kind::Equal;
        return reader.term(expression.items[1], domain, scope, problem, out.left) &&
               reader.term(expression.items[2], domain, scope, problem, out.right);
    }
    if (refusedKeyword(reader, expression, domain)) return false;
    out.kind = PddlFormula::Kind::Atom;
    return reader.literal(expression, domain, scope, problem, out.atom);
}

// The literals and equalities of a formula that is only a conjunction of
// them (the STRIPS form); false for anything else.
bool plainConjunction(const PddlFormula& formula, std::vector<PddlLiteral>& literals,
                      std::vector<PddlEquality>* equalities) {
    switch (formula.kind) {
    case PddlFormula::Kind::And:
        for (const PddlFormula& part : formula.parts) {
            if (!plainConjunction(part, literals, equalities)) return false;
        }
        return true;
    case PddlFormula::Kind::Atom:
        literals.push_back(formula.atom);
        return true;
    case PddlFormula::Kind::Equal:
        if (!equalities) return false;
        equalities->push_back({formula.left, formula.right, false, formula.line});
        return true;
    case PddlFormula::Kind::Not: {
        const PddlFormula& inner = formula.parts[0];
        if (inner.kind != PddlFormula::Kind::Equal || !equalities) return false;
        equalities->push_back({inner.left, inner.right, true, formula.line});
        return true;
    }
    default:
        return false;
    }
}

// "(increase (total-cost) X)"; any other numeric effect is refused elsewhere.
bool isCostIncrease(const SExpression& expression) {
    return expression.startsWith("increase") && expression.items.size() == 3 &&
           expression.items[1].startsWith(costFluent) && expression.items[1].items.size() == 1;
}

bool readCost(Reader& reader, const SExpression& value, const PddlDomain& domain,
              const std::vector<PddlTypedName>* scope, PddlCost& cost) {
    cost.line = value.line;
    if (value.isWord()) {
        if (!nonNegativeNumber(value, cost.number)) {
            reader.refuse(value.line, "action cost \"" + value.text + "\" is not a whole number of at least 0");
            return false;
        }
        return true;
    }
    const PddlFunction* function =
        !value.items.empty() && value.items[0].isWord() ? domain.findFunction(value.items[0].key()) : nullptr;
    if (!function) {
        reader.refuse(value.line, "action cost must be a number or a declared function");
        return false;
    }
    cost.function = function->name;
    for (std::size_t i = 1; i < value.items.size(); ++i) {
        PddlTerm term;
        if (!reader.term(value.items[i], domain, scope, nullptr, term)) return false;
        cost.args.push_back(term);
    }
    if (cost.args.size() != function->params.size()) {
        reader.refuse(value.line, "function \"" + function->name + "\" takes " +
                                      std::to_string(function->params.size()) + " arguments");
        return false;
    }
    return true;
}

bool readEffect(Reader& reader, const SExpression& expression, const PddlDomain& domain,
                const std::vector<PddlTypedName>* scope, PddlEffect& out, std::set<std::string>& costFunctions) {
    out = PddlEffect{};
    out.line = expression.line;
    if (expression.isWord()) {
        reader.refuse(expression.line, "an effect in parentheses was expected, not \"" + expression.text + "\"");
        return false;
    }
    if (expression.items.empty()) return true;
    if (expression.startsWith("and")) {
        for (std::size_t i = 1; i < expression.items.size(); ++i) {
            out.parts.emplace_back();
            if (!readEffect(reader, expression.items[i], domain, scope, out.parts.back(), costFunctions)) return false;
        }
        return true;
    }
    if (expression.startsWith("forall")) {
        out.kind = PddlEffect::Kind::Forall;
        if (expression.items.size() != 3) {
            reader.refuse(expression.line, "\"forall\" takes variables and one effect");
            return false;
        }
        std::vector<PddlTypedName> inner;
        if (!quantifiedScope(reader, expression.items[1], domain, scope, out.variables, inner)) return false;
        out.parts.emplace_back();
        return readEffect(reader, expression.items[2], domain, &inner, out.parts.back(), costFunctions);
    }
    if (expression.startsWith("when")) {
        out.kind = PddlEffect::Kind::When;
        if (expression.items.size() != 3) {
            reader.refuse(expression.line, "\"when\" takes a condition and an effect");
            return false;
        }
        out.parts.emplace_back();
        return readFormula(reader, expression.items[1], domain, scope, nullptr, out.condition) &&
               readEffect(reader, expression.items[2], domain, scope, out.parts.back(), costFunctions);
    }
    if (isCostIncrease(expression)) {
        reader.noteCost(expression.line);
        out.kind = PddlEffect::Kind::Cost;
        if (!readCost(reader, expression.items[2], domain, scope, out.cost)) return false;
        if (!out.cost.function.empty()) costFunctions.insert(out.cost.function);
        return true;
    }
    if (refusedKeyword(reader, expression, domain)) return false;
    if (expression.startsWith("not")) {
        if (expression.items.size() != 2) {
            reader.refuse(expression.line, "\"not\" takes one literal");
            return false;
        }
        const SExpression& inner = expression.items[1];
        if (inner.isList && !inner.items.empty() && inner.items[0].isWord() && refusedKeyword(reader, inner, domain)) {
            return false;
        }
        out.kind = PddlEffect::Kind::Del;
        return reader.literal(inner, domain, scope, nullptr, out.atom);
    }
    if (expression.startsWith("=")) {
        reader.refuse(expression.line, "equality is not supported in an effect");
        return false;
    }
    out.kind = PddlEffect::Kind::Add;
    return reader.literal(expression, domain, scope, nullptr, out.atom);
}

// The adds, deletes and constant costs of an effect that has nothing else.
bool plainEffect(const PddlEffect& effect, PddlAction& action) {
    switch (effect.kind) {
    case PddlEffect::Kind::And:
        for (const PddlEffect& part : effect.parts) {
            if (!plainEffect(part, action)) return false;
        }
        return true;
    case PddlEffect::Kind::Add:
        action.add.push_back(effect.atom);
        return true;
    case PddlEffect::Kind::Del:
        action.del.push_back(effect.atom);
        return true;
    case PddlEffect::Kind::Cost:
        action.cost += effect.cost.number;
        return effect.cost.function.empty();
    default:
        return false;
    }
}

bool hasCostEffect(const PddlEffect& effect) {
    if (effect.kind == PddlEffect::Kind::Cost) return true;
    for (const PddlEffect& part : effect.parts) {
        if (hasCostEffect(part)) return true;
    }
    return false;
}

bool readAction(Reader& reader, const SExpression& section, PddlDomain& domain, std::set<std::string>& costFunctions) {
    if (section.items.size() < 2 || section.items[1].isList) {
        reader.refuse(section.line, "an action needs a name");
        return false;
    }
    PddlAction action;
    action.spelling = section.items[1].text;
    action.name = section.items[1].key();
    action.line = section.line;
    if (domain.findAction(action.name)) {
        reader.refuse(section.line, "action \"" + action.name + "\" is declared twice");
        return false;
    }
    const SExpression* precondition = nullptr;
    const SExpression* effect = nullptr;
    for (std::size_t i = 2; i < section.items.size(); i += 2) {
        const SExpression& key = section.items[i];
        if (key.isList || i + 1 == section.items.size()) {
            reader.refuse(key.line, "expected :parameters, :precondition or :effect with a value");
            return false;
        }
        const SExpression& value = section.items[i + 1];
        if (key.key() == ":parameters" && value.isList) {
            if (!reader.typedList(value.items, 0, true, action.params, true) ||
                !reader.typesKnown(domain, action.params)) {
                return false;
            }
        } else if (key.key() == ":precondition") {
            precondition = &value;
        } else if (key.key() == ":effect") {
            effect = &value;
        } else {
            reader.refuse(key.line, "\"" + key.text + "\" is not supported in an action");
            return false;
        }
    }
    std::set<std::string> seen;
    for (const PddlTypedName& parameter : action.params) {
        if (!seen.insert(parameter.name).second) {
            reader.refuse(parameter.line, "parameter \"?" + parameter.name + "\" is declared twice");
            return false;
        }
        if (!parameter.either.empty()) domain.usesEither = true;
    }
    if (precondition && !readFormula(reader, *precondition, domain, &action.params, nullptr, action.precondition)) {
        return false;
    }
    if (effect && !readEffect(reader, *effect, domain, &action.params, action.effect, costFunctions)) return false;
    action.plain = plainConjunction(action.precondition, action.pre, &action.equalities) &&
                   plainEffect(action.effect, action);
    action.hasCost = hasCostEffect(action.effect);
    if (!action.plain) {
        action.pre.clear();
        action.add.clear();
        action.del.clear();
        action.equalities.clear();
        action.cost = 0;
    }
    domain.actions.push_back(std::move(action));
    return true;
}

// Orders the types parents first; parents never declared become children of the root.
bool readTypes(Reader& reader, const SExpression& section, PddlDomain& domain) {
    std::vector<PddlTypedName> names;
    if (!reader.typedList(section.items, 1, false, names)) return false;
    std::vector<PddlType> declared;
    std::map<std::string, std::vector<PddlTypedName>> parentsOf;
    for (const PddlTypedName& name : names) {
        if (name.name == pddlRootType) continue;
        std::vector<PddlTypedName>& parents = parentsOf[name.name];
        if (parents.empty()) declared.push_back({name.name, name.type, name.line});
        if (std::none_of(parents.begin(), parents.end(), [&](const PddlTypedName& p) { return p.type == name.type; })) {
            parents.push_back(name);
        }
    }
    // A type listed under two parents takes the more specific one when the
    // other is its ancestor ("area - object", later "area - surface").
    auto isAncestor = [&](const std::string& ancestor, const std::string& type) {
        std::vector<std::string> open = {type};
        std::set<std::string> visited;
        while (!open.empty()) {
            const std::string current = open.back();
            open.pop_back();
            if (current == ancestor || ancestor == pddlRootType) return true;
            if (!visited.insert(current).second) continue;
            auto found = parentsOf.find(current);
            if (found == parentsOf.end()) continue;
            for (const PddlTypedName& parent : found->second) open.push_back(parent.type);
        }
        return false;
    };
    std::map<std::string, std::string> parentOf;
    for (PddlType& type : declared) {
        const std::vector<PddlTypedName>& parents = parentsOf[type.name];
        std::vector<const PddlTypedName*> specific;
        for (const PddlTypedName& candidate : parents) {
            const bool general = std::any_of(parents.begin(), parents.end(), [&](const PddlTypedName& other) {
                return other.type != candidate.type && isAncestor(candidate.type, other.type);
            });
            if (!general) specific.push_back(&candidate);
        }
        if (specific.size() != 1) {
            reader.refuse((specific.size() > 1 ? specific[1] : &parents.back())->line,
                          "type \"" + type.name + "\" is given two parents");
            return false;
        }
        type.parent = specific[0]->type;
        parentOf[type.name] = type.parent;
    }
    for (const PddlTypedName& name : names) {
        if (name.type != pddlRootType && !parentOf.count(name.type)) {
            parentOf.emplace(name.type, pddlRootType);
            declared.push_back({name.type, pddlRootType, name.line});
        }
    }
    // Parents first: repeatedly take the types whose parent is placed.
    std::set<std::string> placed = {pddlRootType};
    while (!declared.empty()) {
        std::vector<PddlType> rest;
        for (PddlType& type : declared) {
            if (placed.count(type.parent)) {
                domain.addType(type);
            } else {
                rest.push_back(type);
            }
        }
        if (rest.size() == declared.size()) {
            reader.refuse(rest.front().line, "type \"" + rest.front().name + "\" is its own ancestor");
            return false;
        }
        for (const PddlType& type : domain.types) placed.insert(type.name);
        declared = std::move(rest);
    }
    return true;
}

bool readPredicates(Reader& reader, const SExpression& section, PddlDomain& domain) {
    for (std::size_t i = 1; i < section.items.size(); ++i) {
        const SExpression& declaration = section.items[i];
        if (!declaration.isList || declaration.items.empty() || declaration.items[0].isList) {
            reader.refuse(declaration.line, "a predicate declaration (NAME PARAMETERS...) was expected");
            return false;
        }
        PddlPredicate predicate;
        predicate.name = declaration.items[0].key();
        predicate.line = declaration.line;
        if (domain.findPredicate(predicate.name)) {
            reader.refuse(declaration.line, "predicate \"" + predicate.name + "\" is declared twice");
            return false;
        }
        if (!reader.typedList(declaration.items, 1, true, predicate.params, true) ||
            !reader.typesKnown(domain, predicate.params)) {
            return false;
        }
        domain.addPredicate(std::move(predicate));
    }
    return true;
}

// The cost fluent, and functions that action costs may read (checked once
// the actions are read).
bool readFunctions(Reader& reader, const SExpression& section, PddlDomain& domain) {
    for (std::size_t i = 1; i < section.items.size(); ++i) {
        const SExpression& item = section.items[i];
        if (item.isWord()) continue;  // "- number"
        if (item.startsWith(costFluent) && item.items.size() == 1) {
            reader.noteCost(item.line);
            continue;
        }
        PddlFunction function;
        if (item.items.empty() || item.items[0].isList) {
            reader.refuse(item.line, "numeric fluent is not supported");
            return false;
        }
        function.name = item.items[0].key();
        function.line = item.line;
        if (!reader.typedList(item.items, 1, true, function.params, true) ||
            !reader.typesKnown(domain, function.params)) {
            return false;
        }
        domain.functions.push_back(std::move(function));
    }
    return true;
}

// Adds names to the objects (or constants) that find looks up; a repeated
// name must keep its type.
template <class Find, class Add>
bool addObjects(Reader& reader, const std::vector<PddlTypedName>& names, Find find, Add add) {
    for (const PddlTypedName& name : names) {
        if (const PddlTypedName* previous = find(name.name)) {
            if (previous->type != name.type) {
                reader.refuse(name.line, "object \"" + name.name + "\" is declared with two types");
                return false;
            }
            continue;
        }
        add(name);
    }
    return true;
}

// "(= (road-length a b) 5)" for a function that action costs read.
bool functionValue(Reader& reader, const SExpression& fact, const PddlDomain& domain, PddlProblem& problem) {
    const SExpression& head = fact.items[1];
    const PddlFunction& function = *domain.findFunction(head.items[0].key());
    std::vector<std::string> key = {function.name};
    for (std::size_t i = 1; i < head.items.size(); ++i) {
        PddlTerm term;
        if (!reader.term(head.items[i], domain, nullptr, &problem, term)) return false;
        key.push_back(term.name);
    }
    if (key.size() != function.params.size() + 1) {
        reader.refuse(fact.line, "function \"" + function.name + "\" takes " +
                                     std::to_string(function.params.size()) + " arguments");
        return false;
    }
    const SExpression& value = fact.items[2];
    long long number = 0;
    if (!nonNegativeNumber(value, number)) {
        reader.refuse(fact.line, "the value of \"" + function.name + "\" must be a whole number of at least 0");
        return false;
    }
    problem.functionValues[key] = number;
    return true;
}

// Reads the text's one (define (KIND name) ...), its line into defineLine, and
// hands each section with its keyword to handle, in order; handle answers
// whether the section was read well, or nothing for a keyword it does not
// know. False at the first refusal.
template <class Handle>
bool readSections(Reader& reader, const std::string& text, const std::string& kind, std::string& name,
                  int& defineLine, Handle handle) {
    std::vector<SExpression> expressions;
    ReadFailure failure;
    if (!readSExpressions(text, expressions, failure, reader.diagnostics.control)) {
        if (failure.stopped) {
            reader.goOn(failure.line);
        } else {
            reader.refuse(failure.line, failure.reason);
        }
        return false;
    }
    const SExpression* define = reader.definition(expressions, kind);
    if (!define) return false;
    name = define->items[1].items[1].key();
    defineLine = define->line;
    for (std::size_t i = 2; i < define->items.size(); ++i) {
        const SExpression& section = define->items[i];
        if (!section.isList || section.items.empty() || section.items[0].isList) {
            reader.refuse(section.line, "a section (:KEYWORD ...) was expected");
            return false;
        }
        const std::string keyword = section.items[0].key();
        const std::optional<bool> handled = handle(section, keyword);
        if (handled) {
            if (!*handled) return false;
        } else if (!unsupportedConstruct(keyword).empty()) {
            reader.refuseConstruct(section, keyword);
            return false;
        } else {
            reader.refuse(section.line, "section \"" + section.items[0].text + "\" is not supported");
            return false;
        }
    }
    return true;
}

// "(:domain NAME)", which must name the domain read.
bool readProblemDomain(Reader& reader, const SExpression& section, const PddlDomain& domain, PddlProblem& problem) {
    const std::string named = section.items.size() == 2 ? section.items[1].key() : "";
    problem.domainName = named;
    if (named != domain.name) {
        reader.refuse(section.line, "the problem is for domain \"" + named + "\", not \"" + domain.name + "\"");
        return false;
    }
    return true;
}

bool readObjects(Reader& reader, const SExpression& section, const PddlDomain& domain, PddlProblem& problem) {
    std::vector<PddlTypedName> objects;
    const bool read =
        reader.typedList(section.items, 1, false, objects, true) && reader.typesKnown(domain, objects) &&
        addObjects(
            reader, objects,
            [&](const std::string& name) {
                const PddlTypedName* constant = domain.findConstant(name);
                return constant ? constant : problem.findObject(name);
            },
            [&](const PddlTypedName& object) { problem.addObject(object); });
    for (const PddlTypedName& object : objects) problem.usesEither |= !object.either.empty();
    return read;
}

std::string typeText(const PddlTypedName& name) {
    if (name.either.empty()) return name.type;
    std::string text = "(either";
    for (const std::string& type : name.either) text += " " + type;
    return text + ")";
}

// Every object of an initial fact fits the predicate's parameter in its place.
bool typedFact(Reader& reader, const PddlLiteral& fact, const PddlDomain& domain, const PddlProblem& problem) {
    const PddlPredicate& predicate = *domain.findPredicate(fact.predicate);
    for (std::size_t i = 0; i < fact.args.size(); ++i) {
        const PddlTypedName* constant = domain.findConstant(fact.args[i].name);
        const PddlTypedName& object = constant ? *constant : *problem.findObject(fact.args[i].name);
        if (domain.fits(object, predicate.params[i])) continue;
        std::string written = "(" + fact.predicate;
        for (const PddlTerm& argument : fact.args) written += " " + argument.name;
        reader.refuse(fact.line, "type mismatch in " + written + "), " + object.name + " is type " +
                                     typeText(object) + ", but " + typeText(predicate.params[i]) + " expected");
        return false;
    }
    return true;
}

// One fact of ":init": a literal of objects, or the value of a function that costs read.
bool readInitialFact(Reader& reader, const SExpression& fact, const PddlDomain& domain, PddlProblem& problem) {
    if (fact.startsWith("=") && fact.items.size() == 3 && fact.items[1].startsWith(costFluent)) {
        return true;  // the cost starts at 0 whatever is written
    }
    if (fact.startsWith("=") && fact.items.size() == 3 && fact.items[1].isList && !fact.items[1].items.empty() &&
        fact.items[1].items[0].isWord() && domain.findFunction(fact.items[1].items[0].key())) {
        return functionValue(reader, fact, domain, problem);
    }
    if (fact.startsWith("=")) {
        reader.refuse(fact.line, "numeric fluent is not supported");
        return false;
    }
    if (fact.startsWith("not")) {
        reader.refuse(fact.line, "negative initial fact (not ...) is not supported");
        return false;
    }
    if (fact.isList && !fact.items.empty() && fact.items[0].isWord() && refusedKeyword(reader, fact, domain)) {
        return false;
    }
    PddlLiteral literal;
    if (!reader.literal(fact, domain, nullptr, &problem, literal) || !typedFact(reader, literal, domain, problem)) {
        return false;
    }
    problem.init.push_back(std::move(literal));
    return true;
}

bool readInit(Reader& reader, const SExpression& section, const PddlDomain& domain, PddlProblem& problem) {
    for (std::size_t i = 1; i < section.items.size(); ++i) {
        const SExpression& fact = section.items[i];
        if (!reader.goOn(fact.line) || !readInitialFact(reader, fact, domain, problem)) return false;
    }
    return true;
}

bool readGoal(Reader& reader, const SExpression& section, const PddlDomain& domain, PddlProblem& problem) {
    if (section.items.size() != 2) {
        reader.refuse(section.line, ":goal takes one condition");
        return false;
    }
    if (!readFormula(reader, section.items[1], domain, nullptr, &problem, problem.goalFormula)) return false;
    problem.plainGoal = plainConjunction(problem.goalFormula, problem.goal, nullptr);
    if (!problem.plainGoal) problem.goal.clear();
    return true;
}

bool readMetric(Reader& reader, const SExpression& section) {
    const bool costMetric = section.items.size() == 3 && section.items[1].key() == "minimize" &&
                            section.items[2].startsWith(costFluent) && section.items[2].items.size() == 1;
    if (!costMetric) reader.refuse(section.line, "metric other than (minimize (total-cost)) is not supported");
    return costMetric;
}

}  // namespace

bool readPddlDomain(const std::string& text, const std::string& file, PddlDomain& domain,
                    PddlDiagnostics& diagnostics) {
    Reader reader(file, diagnostics);
    domain = PddlDomain{};
    domain.file = file;
    std::set<std::string> costFunctions;
    int defineLine = 1;
    const bool read = readSections(reader, text, "domain", domain.name, defineLine, [&](const SExpression& section, const std::string& keyword) {
        bool ok = true;
        if (keyword == ":requirements") {
            // Flags only announce; what the domain really uses is checked where it occurs.
        } else if (keyword == ":types") {
            ok = readTypes(reader, section, domain);
        } else if (keyword == ":constants") {
            std::vector<PddlTypedName> constants;
            ok = reader.typedList(section.items, 1, false, constants, true) && reader.typesKnown(domain, constants) &&
                 addObjects(
                     reader, constants, [&](const std::string& name) { return domain.findConstant(name); },
                     [&](const PddlTypedName& constant) { domain.addConstant(constant); });
            for (const PddlTypedName& constant : constants) domain.usesEither |= !constant.either.empty();
        } else if (keyword == ":predicates") {
            ok = readPredicates(reader, section, domain);
        } else if (keyword == ":functions") {
            ok = readFunctions(reader, section, domain);
        } else if (keyword == ":action") {
            ok = readAction(reader, section, domain, costFunctions);
        } else {
            return std::optional<bool>();
        }
        return std::optional<bool>(ok);
    });
    if (!read) return false;
    // A function no action cost reads is a numeric fluent used otherwise.
    for (const PddlFunction& function : domain.functions) {
        if (!costFunctions.count(function.name)) {
            reader.refuse(function.line, "numeric fluent is not supported");
            return false;
        }
    }
    return true;
}

bool readPddlProblem(const std::string& text, const std::string& file, const PddlDomain& domain,
                     PddlProblem& problem, PddlDiagnostics& diagnostics) {
    Reader reader(file, diagnostics);
    problem = PddlProblem{};
    problem.file = file;
    bool domainNamed = false;
    int defineLine = 1;
    const bool read = readSections(
        reader, text, "problem", problem.name, defineLine, [&](const SExpression& section, const std::string& keyword) {
            if (keyword == ":domain") {
                domainNamed = true;
                return std::optional<bool>(readProblemDomain(reader, section, domain, problem));
            }
            if (keyword == ":requirements") return std::optional<bool>(true);
            if (keyword == ":objects") return std::optional<bool>(readObjects(reader, section, domain, problem));
            if (keyword == ":init") return std::optional<bool>(readInit(reader, section, domain, problem));
            if (keyword == ":goal") return std::optional<bool>(readGoal(reader, section, domain, problem));
            if (keyword == ":metric") return std::optional<bool>(readMetric(reader, section));
            return std::optional<bool>();
        });
    if (read && !domainNamed) {
        diagnostics.warn(file, defineLine,
                         "the problem names no domain (:domain NAME); it is read as a problem of \"" + domain.name +
                             "\"");
    }
    return read;
}

}  // namespace vexmolda

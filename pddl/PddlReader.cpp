#include "pddl/PddlReader.h"

#include <algorithm>
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

// Reading state shared by the domain and the problem reader.
class Reader {
public:
    Reader(const std::string& file, PddlDiagnostics& diagnostics) : file(file), diagnostics(diagnostics) {}

    bool failed() const { return diagnostics.refused(); }

    void refuse(int line, const std::string& text) { diagnostics.refuse(file, line, text); }

    void refuseConstruct(const SExpression& at, const std::string& keyword) {
        const std::string name = unsupportedConstruct(keyword);
        refuse(at.line, (name.empty() ? "\"" + keyword + "\"" : name) + " is not supported");
    }

    // Warns once per file about dropped action costs.
    void dropCost(int line) {
        if (costWarned) return;
        costWarned = true;
        diagnostics.warn(file, line, "action costs (total-cost, increase) dropped: every action counts 1");
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
                   std::vector<PddlTypedName>& out) {
        std::size_t pending = out.size();
        for (std::size_t i = first; i < items.size(); ++i) {
            const SExpression& item = items[i];
            if (item.isWord() && item.text == "-") {
                if (i + 1 == items.size()) {
                    refuse(item.line, "a type name must follow \"-\"");
                    return false;
                }
                const SExpression& type = items[++i];
                if (type.isList) {
                    refuseConstruct(type, type.startsWith("either") ? "either" : "(");
                    return false;
                }
                for (std::size_t j = pending; j < out.size(); ++j) out[j].type = type.key();
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
            out.push_back({lowerCase(spelling), spelling, pddlRootType, item.line});
        }
        return true;
    }

    bool typesKnown(const PddlDomain& domain, const std::vector<PddlTypedName>& names) {
        for (const PddlTypedName& name : names) {
            if (!domain.hasType(name.type)) {
                refuse(name.line, "type \"" + name.type + "\" is not declared");
                return false;
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
        const bool known = std::any_of(domain.constants.begin(), domain.constants.end(),
                                       [&](const PddlTypedName& c) { return c.name == out.name; }) ||
                           (problem && std::any_of(problem->objects.begin(), problem->objects.end(),
                                                   [&](const PddlTypedName& o) { return o.name == out.name; }));
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

// Precondition or goal: literals and equalities under (nested) "and".
bool readCondition(Reader& reader, const SExpression& expression, const PddlDomain& domain,
                   const std::vector<PddlTypedName>* parameters, const PddlProblem* problem,
                   std::vector<PddlLiteral>& literals, std::vector<PddlEquality>* equalities,
                   const std::string& negativeName) {
    if (expression.isWord()) {
        reader.refuse(expression.line, "a condition in parentheses was expected, not \"" + expression.text + "\"");
        return false;
    }
    if (expression.items.empty()) return true;
    if (expression.startsWith("and")) {
        for (std::size_t i = 1; i < expression.items.size(); ++i) {
            if (!readCondition(reader, expression.items[i], domain, parameters, problem, literals, equalities,
                               negativeName)) {
                return false;
            }
        }
        return true;
    }
    const bool negatedEquality = expression.startsWith("not") && expression.items.size() == 2 &&
                                 expression.items[1].startsWith("=");
    if (expression.startsWith("=") || negatedEquality) {
        if (!equalities) {
            reader.refuse(expression.line, "equality is not supported here");
            return false;
        }
        PddlEquality equality;
        if (!reader.equality(negatedEquality ? expression.items[1] : expression, negatedEquality, domain,
                             parameters, problem, equality)) {
            return false;
        }
        equalities->push_back(equality);
        return true;
    }
    if (expression.startsWith("not")) {
        reader.refuse(expression.line, negativeName + " (not ...) is not supported");
        return false;
    }
    if (refusedKeyword(reader, expression, domain)) return false;
    PddlLiteral literal;
    if (!reader.literal(expression, domain, parameters, problem, literal)) return false;
    literals.push_back(literal);
    return true;
}

// "(increase (total-cost) N)" is dropped with a warning; other numeric effects are refused.
bool isCostIncrease(const SExpression& expression) {
    return expression.startsWith("increase") && expression.items.size() == 3 &&
           expression.items[1].startsWith(costFluent) && expression.items[1].items.size() == 1;
}

bool readEffect(Reader& reader, const SExpression& expression, const PddlDomain& domain, PddlAction& action) {
    if (expression.isWord()) {
        reader.refuse(expression.line, "an effect in parentheses was expected, not \"" + expression.text + "\"");
        return false;
    }
    if (expression.items.empty()) return true;
    if (expression.startsWith("and")) {
        for (std::size_t i = 1; i < expression.items.size(); ++i) {
            if (!readEffect(reader, expression.items[i], domain, action)) return false;
        }
        return true;
    }
    if (isCostIncrease(expression)) {
        reader.dropCost(expression.line);
        return true;
    }
    if (refusedKeyword(reader, expression, domain)) return false;
    PddlLiteral literal;
    if (expression.startsWith("not")) {
        if (expression.items.size() != 2) {
            reader.refuse(expression.line, "\"not\" takes one literal");
            return false;
        }
        const SExpression& inner = expression.items[1];
        if (inner.isList && !inner.items.empty() && inner.items[0].isWord() && refusedKeyword(reader, inner, domain)) {
            return false;
        }
        if (!reader.literal(inner, domain, &action.params, nullptr, literal)) return false;
        action.del.push_back(literal);
        return true;
    }
    if (expression.startsWith("=")) {
        reader.refuse(expression.line, "equality is not supported in an effect");
        return false;
    }
    if (!reader.literal(expression, domain, &action.params, nullptr, literal)) return false;
    action.add.push_back(literal);
    return true;
}

bool readAction(Reader& reader, const SExpression& section, PddlDomain& domain) {
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
            if (!reader.typedList(value.items, 0, true, action.params) || !reader.typesKnown(domain, action.params)) {
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
    }
    if (precondition && !readCondition(reader, *precondition, domain, &action.params, nullptr, action.pre,
                                       &action.equalities, "negative precondition")) {
        return false;
    }
    if (effect && !readEffect(reader, *effect, domain, action)) return false;
    domain.actions.push_back(std::move(action));
    return true;
}

// Orders the types parents first; parents never declared become children of the root.
bool readTypes(Reader& reader, const SExpression& section, PddlDomain& domain) {
    std::vector<PddlTypedName> names;
    if (!reader.typedList(section.items, 1, false, names)) return false;
    std::vector<PddlType> declared;
    std::map<std::string, std::string> parentOf;
    for (const PddlTypedName& name : names) {
        if (name.name == pddlRootType) continue;
        auto [position, inserted] = parentOf.emplace(name.name, name.type);
        if (!inserted && position->second != name.type) {
            reader.refuse(name.line, "type \"" + name.name + "\" is given two parents");
            return false;
        }
        if (inserted) declared.push_back({name.name, name.type, name.line});
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
                domain.types.push_back(type);
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
        if (!reader.typedList(declaration.items, 1, true, predicate.params) ||
            !reader.typesKnown(domain, predicate.params)) {
            return false;
        }
        domain.predicates.push_back(std::move(predicate));
    }
    return true;
}

// Only the cost fluent is accepted (and dropped); any other function is refused.
bool readFunctions(Reader& reader, const SExpression& section) {
    for (std::size_t i = 1; i < section.items.size(); ++i) {
        const SExpression& item = section.items[i];
        if (item.isWord()) continue;  // "- number"
        if (item.startsWith(costFluent) && item.items.size() == 1) {
            reader.dropCost(item.line);
            continue;
        }
        reader.refuse(item.line, "numeric fluent is not supported");
        return false;
    }
    return true;
}

// Adds names to a list of objects; a repeated name must keep its type.
bool addObjects(Reader& reader, const std::vector<PddlTypedName>& names, const std::vector<PddlTypedName>& earlier,
                std::vector<PddlTypedName>& objects) {
    for (const PddlTypedName& name : names) {
        auto same = [&](const PddlTypedName& other) { return other.name == name.name; };
        auto inEarlier = std::find_if(earlier.begin(), earlier.end(), same);
        auto inObjects = std::find_if(objects.begin(), objects.end(), same);
        const PddlTypedName* previous =
            inEarlier != earlier.end() ? &*inEarlier : (inObjects != objects.end() ? &*inObjects : nullptr);
        if (previous) {
            if (previous->type != name.type) {
                reader.refuse(name.line, "object \"" + name.name + "\" is declared with two types");
                return false;
            }
            continue;
        }
        objects.push_back(name);
    }
    return true;
}

// Reads the text's one (define (KIND name) ...) and hands each section with its
// keyword to handle, in order; handle answers whether the section was read
// well, or nothing for a keyword it does not know. False at the first refusal.
template <class Handle>
bool readSections(Reader& reader, const std::string& text, const std::string& kind, std::string& name,
                  Handle handle) {
    std::vector<SExpression> expressions;
    ReadFailure failure;
    if (!readSExpressions(text, expressions, failure)) {
        reader.refuse(failure.line, failure.reason);
        return false;
    }
    const SExpression* define = reader.definition(expressions, kind);
    if (!define) return false;
    name = define->items[1].items[1].key();
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

}  // namespace

bool readPddlDomain(const std::string& text, const std::string& file, PddlDomain& domain,
                    PddlDiagnostics& diagnostics) {
    Reader reader(file, diagnostics);
    domain = PddlDomain{};
    domain.file = file;
    return readSections(reader, text, "domain", domain.name, [&](const SExpression& section, const std::string& keyword) {
        bool ok = true;
        if (keyword == ":requirements") {
            // Flags only announce; what the domain really uses is checked where it occurs.
        } else if (keyword == ":types") {
            ok = readTypes(reader, section, domain);
        } else if (keyword == ":constants") {
            std::vector<PddlTypedName> constants;
            ok = reader.typedList(section.items, 1, false, constants) && reader.typesKnown(domain, constants) &&
                 addObjects(reader, constants, {}, domain.constants);
        } else if (keyword == ":predicates") {
            ok = readPredicates(reader, section, domain);
        } else if (keyword == ":functions") {
            ok = readFunctions(reader, section);
        } else if (keyword == ":action") {
            ok = readAction(reader, section, domain);
        } else {
            return std::optional<bool>();
        }
        return std::optional<bool>(ok);
    });
}

bool readPddlProblem(const std::string& text, const std::string& file, const PddlDomain& domain,
                     PddlProblem& problem, PddlDiagnostics& diagnostics) {
    Reader reader(file, diagnostics);
    problem = PddlProblem{};
    problem.file = file;
    return readSections(reader, text, "problem", problem.name, [&](const SExpression& section, const std::string& keyword) {
        bool ok = true;
        if (keyword == ":domain") {
            const std::string named = section.items.size() == 2 ? section.items[1].key() : "";
            if (named != domain.name) {
                reader.refuse(section.line, "the problem is for domain \"" + named + "\", not \"" + domain.name + "\"");
                ok = false;
            }
            problem.domainName = named;
        } else if (keyword == ":requirements") {
        } else if (keyword == ":objects") {
            std::vector<PddlTypedName> objects;
            ok = reader.typedList(section.items, 1, false, objects) && reader.typesKnown(domain, objects) &&
                 addObjects(reader, objects, domain.constants, problem.objects);
        } else if (keyword == ":init") {
            for (std::size_t j = 1; ok && j < section.items.size(); ++j) {
                const SExpression& fact = section.items[j];
                if (fact.startsWith("=") && fact.items.size() == 3 && fact.items[1].startsWith(costFluent)) {
                    reader.dropCost(fact.line);
                } else if (fact.startsWith("=")) {
                    reader.refuse(fact.line, "numeric fluent is not supported");
                    ok = false;
                } else if (fact.startsWith("not")) {
                    reader.refuse(fact.line, "negative initial fact (not ...) is not supported");
                    ok = false;
                } else if (fact.isList && !fact.items.empty() && fact.items[0].isWord() &&
                           refusedKeyword(reader, fact, domain)) {
                    ok = false;
                } else {
                    PddlLiteral literal;
                    ok = reader.literal(fact, domain, nullptr, &problem, literal);
                    if (ok) problem.init.push_back(literal);
                }
            }
        } else if (keyword == ":goal") {
            if (section.items.size() != 2) {
                reader.refuse(section.line, ":goal takes one condition");
                ok = false;
            } else {
                ok = readCondition(reader, section.items[1], domain, nullptr, &problem, problem.goal, nullptr,
                                   "negative goal");
            }
        } else if (keyword == ":metric") {
            const bool costMetric = section.items.size() == 3 && section.items[1].key() == "minimize" &&
                                    section.items[2].startsWith(costFluent) && section.items[2].items.size() == 1;
            if (costMetric) {
                reader.dropCost(section.line);
            } else {
                reader.refuse(section.line, "metric other than (minimize (total-cost)) is not supported");
                ok = false;
            }
        } else {
            return std::optional<bool>();
        }
        return std::optional<bool>(ok);
    });
}

}  // namespace vexmolda

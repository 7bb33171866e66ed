#pragma once
// A PDDL domain and problem as read: names lower-cased, spelling kept.

#include <cstddef>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace vexmolda {

// The root of every PDDL type hierarchy.
inline const std::string pddlRootType = "object";

// A parameter ("?x", stored without the "?") or a constant in a literal.
struct PddlTerm {
    std::string name;
    bool isVariable = false;
};

// A predicate applied to terms.
struct PddlLiteral {
    std::string predicate;
    std::vector<PddlTerm> args;
    int line = 0;
};

// "(= a b)" or "(not (= a b))" in a precondition.
struct PddlEquality {
    PddlTerm left;
    PddlTerm right;
    bool negated = false;
    int line = 0;
};

// A name with its type: a parameter, a constant or an object.
struct PddlTypedName {
    std::string name;      // lower-cased, without "?"
    std::string spelling;  // as written
    std::string type;      // lower-cased; "object" when none is given
    int line = 0;
    std::vector<std::string> either;  // the alternatives of "(either a b)"; type is then "object"
};

// A declared type and its parent ("object" for top-level types).
struct PddlType {
    std::string name;
    std::string parent;
    int line = 0;
};

// A condition: literals and equalities under connectives and quantifiers.
struct PddlFormula {
    enum class Kind { Atom, Equal, Not, And, Or, Imply, Forall, Exists };
    Kind kind = Kind::And;
    PddlLiteral atom;                      // Atom
    PddlTerm left;                         // Equal
    PddlTerm right;                        // Equal
    std::vector<PddlTypedName> variables;  // Forall, Exists
    std::vector<PddlFormula> parts;        // Not and the quantifiers: one; Imply: two
    int line = 0;
};

// What "(increase (total-cost) X)" adds: a number, or a function of terms.
struct PddlCost {
    long long number = 0;
    std::string function;  // empty for a number
    std::vector<PddlTerm> args;
    int line = 0;
};

// An effect: literals under "and", "forall" and "when", and cost increases.
struct PddlEffect {
    enum class Kind { Add, Del, And, Forall, When, Cost };
    Kind kind = Kind::And;
    PddlLiteral atom;                      // Add, Del
    std::vector<PddlTypedName> variables;  // Forall
    PddlFormula condition;                 // When
    std::vector<PddlEffect> parts;         // And, Forall and When (their effects)
    PddlCost cost;                         // Cost
    int line = 0;
};

// A function that only action costs read: "(road-length ?a ?b)".
struct PddlFunction {
    std::string name;
    std::vector<PddlTypedName> params;
    int line = 0;
};

struct PddlPredicate {
    std::string name;
    std::vector<PddlTypedName> params;
    int line = 0;
};

struct PddlAction {
    std::string name;
    std::string spelling;
    std::vector<PddlTypedName> params;
    std::vector<PddlLiteral> pre;
    std::vector<PddlLiteral> add;
    std::vector<PddlLiteral> del;
    std::vector<PddlEquality> equalities;
    int line = 0;
    // The whole precondition and effect as written; pre, add, del and
    // equalities hold them too when plain.
    PddlFormula precondition;
    PddlEffect effect;
    bool plain = true;      // only literals, equalities and constant costs
    long long cost = 0;     // the constant cost of a plain action
    bool hasCost = false;   // some effect increases total-cost
};

// Positions in a list by name, for lookups that do not walk the list.
using PddlNameIndex = std::unordered_map<std::string, std::size_t>;

// The lists below are filled through the add functions, which keep their indexes.
struct PddlDomain {
    std::string file;
    std::string name;
    std::vector<PddlType> types;  // parents listed before their children
    std::vector<PddlTypedName> constants;
    std::vector<PddlPredicate> predicates;
    std::vector<PddlAction> actions;
    std::vector<PddlFunction> functions;  // without total-cost
    bool usesEither = false;              // "(either ...)" types a parameter or a constant
    PddlNameIndex typeIndex;
    PddlNameIndex constantIndex;
    PddlNameIndex predicateIndex;

    // Append to their lists; a name given twice is found at its first place.
    void addType(PddlType type);
    void addConstant(PddlTypedName constant);
    void addPredicate(PddlPredicate predicate);
    const PddlPredicate* findPredicate(const std::string& name) const;
    const PddlType* findType(const std::string& name) const;
    const PddlTypedName* findConstant(const std::string& name) const;
    const PddlAction* findAction(const std::string& name) const;
    // The name is "object" or one of the declared types.
    bool hasType(const std::string& name) const;
    // True when type equals ancestor or descends from it.
    bool isSubtype(const std::string& type, const std::string& ancestor) const;
    // An object of that type (or of one of its alternatives) fits the parameter's type.
    bool fits(const PddlTypedName& object, const PddlTypedName& parameter) const;
    const PddlFunction* findFunction(const std::string& name) const;
};

struct PddlProblem {
    std::string file;
    std::string name;
    std::string domainName;
    std::vector<PddlTypedName> objects;  // the domain's constants are not repeated here
    PddlNameIndex objectIndex;
    std::vector<PddlLiteral> init;
    std::vector<PddlLiteral> goal;
    PddlFormula goalFormula;
    bool plainGoal = true;                                      // goal holds it all
    std::map<std::vector<std::string>, long long> functionValues;  // function, objects -> value
    bool usesEither = false;

    // Appends to objects; a name given twice is found at its first place.
    void addObject(PddlTypedName object);
    const PddlTypedName* findObject(const std::string& name) const;
};

// A domain and a problem that were read and checked together.
struct PddlTask {
    PddlDomain domain;
    PddlProblem problem;

    // The constants, then the problem's objects.
    std::vector<PddlTypedName> allObjects() const;
    // The constant or object of that name, or null.
    const PddlTypedName* findObject(const std::string& name) const;
};

}  // namespace vexmolda

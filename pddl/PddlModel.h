#pragma once
// A STRIPS domain and problem as read from PDDL: names lower-cased, spelling kept.

#include <string>
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
};

// A declared type and its parent ("object" for top-level types).
struct PddlType {
    std::string name;
    std::string parent;
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
};

struct PddlDomain {
    std::string file;
    std::string name;
    std::vector<PddlType> types;  // parents listed before their children
    std::vector<PddlTypedName> constants;
    std::vector<PddlPredicate> predicates;
    std::vector<PddlAction> actions;

    const PddlPredicate* findPredicate(const std::string& name) const;
    const PddlType* findType(const std::string& name) const;
    const PddlAction* findAction(const std::string& name) const;
    // The name is "object" or one of the declared types.
    bool hasType(const std::string& name) const;
    // True when type equals ancestor or descends from it.
    bool isSubtype(const std::string& type, const std::string& ancestor) const;
};

struct PddlProblem {
    std::string file;
    std::string name;
    std::string domainName;
    std::vector<PddlTypedName> objects;  // the domain's constants are not repeated here
    std::vector<PddlLiteral> init;
    std::vector<PddlLiteral> goal;
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

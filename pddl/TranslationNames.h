#pragma once
// The command-language names of a PDDL task's types, objects, predicates and
// actions, and the declaration lines both translations begin with.

#include <map>
#include <string>
#include <vector>

#include "pddl/NameMapping.h"
#include "pddl/PddlModel.h"

namespace vexmolda {

// The command language's own type that takes every object.
inline const std::string anyTypeName = "any";

// Command names by PDDL name.
struct TranslationNames {
    std::map<std::string, std::string> typeName;
    std::map<std::string, std::string> objectName;
    std::map<std::string, std::string> predicateName;
    std::map<std::string, std::string> actionName;
};

// Names every type, object, predicate and action without clashes, and
// records the spellings of objects and actions for plans.
TranslationNames nameTask(const PddlTask& task, PddlNames& names);

// Names an action's parameters; never an object's name, as literals look objects up first.
std::map<std::string, std::string> parameterNames(const PddlAction& action, const TranslationNames& names);

// "type object", then one "derived" line per parent.
void writeTypeLines(const PddlDomain& domain, const TranslationNames& names, std::vector<std::string>& lines);

// One "atom" line per type, in the order the types' first objects come.
void writeAtomLines(const std::vector<PddlTypedName>& objects, const TranslationNames& names,
                    std::vector<std::string>& lines);

// "pred name(type:parameter, ...)" with the given command type per position.
std::string predicateLine(const std::string& name, const PddlPredicate& predicate,
                          const std::vector<std::string>& types);

}  // namespace vexmolda

#pragma once
// Command-language names for PDDL names, and the way back for plans.

#include <map>
#include <set>
#include <string>
#include <vector>

namespace vexmolda {

// The name with every byte the tokenizer treats as a separator or a negation
// replaced by "_".
std::string commandSafeName(const std::string& name);

// Hands out safe names unique within one kind; a taken name gets "_2", "_3"...
// so two distinct PDDL names never end up as one.
class NameAllocator {
public:
    explicit NameAllocator(std::set<std::string> reserved = {}) : taken(std::move(reserved)) {}
    std::string allocate(const std::string& pddlName);
    // Allocates for all names, in their order, except that names already safe
    // and free keep themselves before any changed name may take them.
    std::vector<std::string> allocateAll(const std::vector<std::string>& pddlNames);
    bool isTaken(const std::string& name) const { return taken.count(name) > 0; }

private:
    std::set<std::string> taken;
};

// The PDDL step a translated operation stands for.
struct StepOrigin {
    std::string action;                  // the action's PDDL spelling
    std::vector<std::string> arguments;  // spelled objects, unless instanceArguments
    bool instanceArguments = false;      // the instance's own arguments are the step's
    bool hidden = false;                 // a goal operation: no step of the PDDL plan
    long long cost = 1;
};

// Command names of actions and objects to their spelling in the PDDL files.
struct PddlNames {
    std::map<std::string, std::string> actionSpelling;
    std::map<std::string, std::string> objectSpelling;
    // By operation name, when operations are not the actions one to one or
    // carry costs; empty otherwise.
    std::map<std::string, StepOrigin> origins;
    bool actionCosts = false;  // the plan's cost line sums the costs
};

}  // namespace vexmolda

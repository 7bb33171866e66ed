#include "pddl/NameMapping.h"

namespace vexmolda {

std::string commandSafeName(const std::string& name) {
    static const std::string unsafe = std::string(" ,^():|=~\n\t\r") + '\0';
    std::string safe = name;
    for (char& byte : safe) {
        if (unsafe.find(byte) != std::string::npos) byte = '_';
    }
    return safe.empty() ? "_" : safe;
}

std::string NameAllocator::allocate(const std::string& pddlName) {
    const std::string base = commandSafeName(pddlName);
    std::string name = base;
    for (int suffix = 2; taken.count(name); ++suffix) name = base + "_" + std::to_string(suffix);
    taken.insert(name);
    return name;
}

std::vector<std::string> NameAllocator::allocateAll(const std::vector<std::string>& pddlNames) {
    std::vector<std::string> names(pddlNames.size());
    std::vector<bool> done(pddlNames.size(), false);
    for (std::size_t i = 0; i < pddlNames.size(); ++i) {
        const std::string& name = pddlNames[i];
        if (commandSafeName(name) == name && !taken.count(name)) {
            names[i] = name;
            taken.insert(name);
            done[i] = true;
        }
    }
    for (std::size_t i = 0; i < pddlNames.size(); ++i) {
        if (!done[i]) names[i] = allocate(pddlNames[i]);
    }
    return names;
}

}  // namespace vexmolda

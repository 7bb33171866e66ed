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

}  // namespace vexmolda

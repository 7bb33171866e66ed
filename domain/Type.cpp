#include "domain/Type.h"


namespace vexmolda {

void Type::print(std::string& out) const {
    out += name;
    if (parent) {
        out += "->";
        parent->print(out);
    }
}

}  // namespace vexmolda

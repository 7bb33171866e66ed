#include "domain/CreationSequence.h"

namespace vexmolda {

std::uint64_t nextCreationNumber() {
    static std::uint64_t next = 0;
    return next++;
}

}  // namespace vexmolda

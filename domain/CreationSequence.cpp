#include "domain/CreationSequence.h"

#include <atomic>

namespace vexmolda {

std::uint64_t nextCreationNumber() {
    // Only the order matters, never which thread drew a number.
    static std::atomic<std::uint64_t> next{0};
    return next.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace vexmolda

// The fact pool under allocation failure: a bad_alloc at any allocation of
// intern leaves the pool as it was, so the next lookup makes the fact.

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "domain/Fact.h"

namespace {

// Allocations left before the one that fails; negative: none fails.
long allocationsBeforeFailure = -1;

}  // namespace

void* operator new(std::size_t size) {
    if (allocationsBeforeFailure == 0) {
        allocationsBeforeFailure = -1;
        throw std::bad_alloc();
    }
    if (allocationsBeforeFailure > 0) --allocationsBeforeFailure;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}

// The replacement new above takes its memory from malloc.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
#pragma GCC diagnostic pop

namespace vexmolda {
namespace {

// Interns a new fact into a pool of `before` facts with each allocation of
// intern failing in turn; returns how many failures were injected.
int failEachAllocationOfIntern(std::size_t before) {
    Atom a("a", nullptr);
    Atom b("b", nullptr);
    const std::vector<Atom*> args{&a, &b};
    for (long allowed = 0;; ++allowed) {
        FactPool pool;
        for (std::size_t i = 0; i < before; ++i) pool.intern("p" + std::to_string(i), {&a});
        bool failed = false;
        allocationsBeforeFailure = allowed;
        try {
            pool.intern("q", args);
        } catch (const std::bad_alloc&) {
            failed = true;
        }
        allocationsBeforeFailure = -1;
        if (!failed) return static_cast<int>(allowed);
        SCOPED_TRACE(allowed);
        EXPECT_EQ(pool.find("q", args), nullptr);
        EXPECT_EQ(pool.size(), before);
        Fact* made = pool.intern("q", args);
        EXPECT_NE(made, nullptr);
        if (!made) return static_cast<int>(allowed);
        EXPECT_EQ(made->name, "q");
        EXPECT_EQ(made->args, args);
        EXPECT_EQ(made->id, static_cast<int>(before));
        EXPECT_EQ(pool[before], made);
        for (std::size_t i = 0; i < before; ++i) EXPECT_EQ(pool.find("p" + std::to_string(i), {&a}), pool[i]);
    }
}

TEST(FactPool, AFailedInternLeavesNoFactlessEntry) {
    // The fact itself and its arguments; the 13th fact also grows the index, the 17th the list.
    EXPECT_GE(failEachAllocationOfIntern(1), 2);
    EXPECT_GE(failEachAllocationOfIntern(12), 3);
    EXPECT_GE(failEachAllocationOfIntern(16), 3);
}

// A pool layered over another sees its facts, continues its ids, and once
// absorbed leaves them in the base in the order made.
TEST(FactPool, ALayerContinuesItsBaseAndIsAbsorbedInOrder) {
    Atom a("a", nullptr);
    FactPool base;
    Fact* p = base.intern("p", {&a});
    FactPool layer(&base);
    EXPECT_EQ(layer.intern("p", {&a}), p);
    Fact* q = layer.intern("q", {});
    Fact* r = layer.intern("r", {&a, &a});
    EXPECT_EQ(q->id, 1);
    EXPECT_EQ(r->id, 2);
    EXPECT_EQ(base.size(), 1u);
    EXPECT_EQ(base.find("q", {}), nullptr);
    base.absorb(layer);
    ASSERT_EQ(base.size(), 3u);
    EXPECT_EQ(base[1], q);
    EXPECT_EQ(base[2], r);
    EXPECT_EQ(base.intern("r", {&a, &a}), r);
    EXPECT_EQ(base.intern("s", {})->id, 3);
}

}  // namespace
}  // namespace vexmolda

#pragma once
// How long work (grounding, a solve, a file load) is asked to stop, and the
// counters it shows while it runs. Shared between the working thread and the
// thread that watches it.

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace vexmolda {

// Why work ended early.
enum class StopReason : int { none, user, timeLimit, memoryLimit, outOfMemory };

// What kind of work runs; a solve's counters are named by its solver.
// A PDDL load's reading and translation (translating) is limited like a
// solve; a domain file's load (loading) is not, as its lines run their own work.
enum class WorkKind : int { idle, loading, translating, grounding, solving };

// How the progress line names one counter of the running phase: "5 recursions",
// or "level 5" with the noun first. A counter without a noun is not shown.
struct CounterLabel {
    const char* noun = nullptr;
    bool nounFirst = false;
};
// The labels of the counters first, second and third.
using CounterLabels = std::array<CounterLabel, 3>;

// Polled by the work at its natural steps; written by other threads or a signal handler.
class WorkControl {
public:
    using Clock = std::chrono::steady_clock;

    // Starts a command: no stop asked, both clocks restarted, kind idle.
    void begin();
    // Starts a phase within the command (a solve, a grounding, a load): the
    // counters zeroed, the phase clock restarted; a stop asked stays asked.
    // A solve names its counters with labels that outlive it.
    void enter(WorkKind phaseKind, const CounterLabels* solveLabels = nullptr);
    // Ends a solve or grounding phase: a stop at a limit ended that phase
    // only, so it is forgotten; a stop by the user stays.
    void leaveLimitedPhase();
    // Asks the work to end; safe from any thread and from a signal handler.
    void requestStop(StopReason reason);
    // True once the work should end: asked to, past the time limit or over the
    // memory limit. Costs a load and a count on most calls, so it may sit in an
    // inner loop; the limits are read often enough that a stop is seen within
    // milliseconds whether calls come every few nanoseconds or every few
    // milliseconds.
    bool shouldStop() {
        if (stopAsked.load(std::memory_order_relaxed) != 0) return true;
        if (++callsSinceCheck < checkInterval) return false;
        return checkLimits();
    }
    // True when the memory at the start of the phase, plus what the work holds
    // and the bytes it is about to allocate, passes the memory limit; asks the
    // work to stop then. Lets a search stop before a growth takes it over the
    // limit, which resident memory shows only once the pages are touched.
    bool wouldPassMemoryLimit(std::size_t bytesHeld, std::size_t bytesToAllocate);
    StopReason stopReason() const { return static_cast<StopReason>(stopAsked.load(std::memory_order_relaxed)); }
    // Seconds since begin, and since the current phase began.
    double commandSeconds() const { return secondsSince(commandStart); }
    double phaseSeconds() const { return secondsSince(phaseStart); }
    WorkKind currentKind() const { return static_cast<WorkKind>(kind.load(std::memory_order_acquire)); }
    // The labels of the running solve's counters; null in other phases.
    const CounterLabels* solveCounterLabels() const { return solveLabels.load(std::memory_order_acquire); }

    // Limits of every solve and grounding phase; zero means none.
    double timeLimitSeconds = 0;
    std::size_t memoryLimitBytes = 0;

    // The counters of the running phase (what each means depends on the kind).
    std::atomic<std::uint64_t> first{0};
    std::atomic<std::uint64_t> second{0};
    std::atomic<std::uint64_t> third{0};

private:
    bool checkLimits();
    static double secondsSince(const std::atomic<std::int64_t>& start);

    // Calls between two reads of the coarse clock: doubled up to the most
    // while calls come within one tick of it, one again once a tick passed
    // between two reads, so slow callers read it every call.
    static constexpr std::uint32_t mostCallsPerCheck = 32;
    // Resident memory is read at most this often (nanoseconds), at a clock read.
    static constexpr std::int64_t memoryCheckPeriod = 4'000'000;
    std::uint32_t checkInterval = 1;
    std::uint32_t callsSinceCheck = 0;
    // Coarse clock readings (nanoseconds) of the working thread.
    std::int64_t lastCheck = 0;
    std::int64_t lastMemoryCheck = 0;
    // Resident memory when a limited phase began, for wouldPassMemoryLimit.
    std::size_t phaseStartMemory = 0;
    std::atomic<int> kind{static_cast<int>(WorkKind::idle)};
    std::atomic<const CounterLabels*> solveLabels{nullptr};
    std::atomic<int> stopAsked{0};
    std::atomic<std::int64_t> commandStart{0};
    std::atomic<std::int64_t> phaseStart{0};
};

// Resident memory of this process in bytes, or 0 where it cannot be read.
std::size_t residentMemoryBytes();
// Processor seconds the calling thread has used.
double threadCpuSeconds();

}  // namespace vexmolda

#pragma once
// How long work (grounding, a solve, a file load) is asked to stop, and the
// counters it shows while it runs. Shared between the working thread and the
// thread that watches it.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace vexmolda {

// Why work ended early.
enum class StopReason : int { none, user, timeLimit, memoryLimit, outOfMemory };

// What kind of work runs, so a progress line knows what its counters mean.
// A PDDL load's reading and translation (translating) is limited like a
// solve; a domain file's load (loading) is not, as its lines run their own work.
enum class WorkKind : int { idle, loading, translating, grounding, aStarSearch, graphSearch, islandSearch };

// Polled by the work at its natural steps; written by other threads or a signal handler.
class WorkControl {
public:
    using Clock = std::chrono::steady_clock;

    // Starts a command: no stop asked, both clocks restarted, kind idle.
    void begin();
    // Starts a phase within the command (a solve, a grounding, a load): the
    // counters zeroed, the phase clock restarted; a stop asked stays asked.
    void enter(WorkKind phaseKind);
    // Ends a solve or grounding phase: a stop at a limit ended that phase
    // only, so it is forgotten; a stop by the user stays.
    void leaveLimitedPhase();
    // Asks the work to end; safe from any thread and from a signal handler.
    void requestStop(StopReason reason);
    // True once the work should end: asked to, past the time limit or over the
    // memory limit. Cheap enough to call once per inner step.
    bool shouldStop() {
        if (stopAsked.load(std::memory_order_relaxed) != 0) return true;
        if (++callsSinceCheck < checkInterval) return false;
        callsSinceCheck = 0;
        return checkLimits();
    }
    StopReason stopReason() const { return static_cast<StopReason>(stopAsked.load(std::memory_order_relaxed)); }
    // Seconds since begin, and since the current phase began.
    double commandSeconds() const { return secondsSince(commandStart); }
    double phaseSeconds() const { return secondsSince(phaseStart); }
    WorkKind currentKind() const { return static_cast<WorkKind>(kind.load(std::memory_order_acquire)); }

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

    static constexpr std::uint32_t checkInterval = 1024;
    std::atomic<int> kind{static_cast<int>(WorkKind::idle)};
    std::atomic<int> stopAsked{0};
    std::uint32_t callsSinceCheck = 0;
    std::atomic<std::int64_t> commandStart{0};
    std::atomic<std::int64_t> phaseStart{0};
};

// Resident memory of this process in bytes, or 0 where it cannot be read.
std::size_t residentMemoryBytes();
// Processor seconds the calling thread has used.
double threadCpuSeconds();

}  // namespace vexmolda

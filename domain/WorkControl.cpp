#include "domain/WorkControl.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <ratio>
#include <type_traits>

namespace vexmolda {

namespace {

// Phase starts and coarse readings are compared as nanoseconds of one clock.
static_assert(std::is_same_v<WorkControl::Clock::period, std::nano>);

std::int64_t now() { return WorkControl::Clock::now().time_since_epoch().count(); }

// The monotonic clock as of the last timer tick: a few nanoseconds to read,
// against a system call's hundreds where the fine clock has no fast path.
std::int64_t coarseNow() {
    timespec reading{};
#ifdef CLOCK_MONOTONIC_COARSE
    clock_gettime(CLOCK_MONOTONIC_COARSE, &reading);
#else
    clock_gettime(CLOCK_MONOTONIC, &reading);
#endif
    return static_cast<std::int64_t>(reading.tv_sec) * 1'000'000'000 + reading.tv_nsec;
}

bool limitedKind(WorkKind kind) { return kind != WorkKind::idle && kind != WorkKind::loading; }

}  // namespace

void WorkControl::begin() {
    stopAsked.store(0, std::memory_order_relaxed);
    commandStart.store(now(), std::memory_order_relaxed);
    enter(WorkKind::idle);
}

void WorkControl::enter(WorkKind phaseKind, const CounterLabels* labels) {
    callsSinceCheck = 0;
    checkInterval = 1;
    first.store(0, std::memory_order_relaxed);
    second.store(0, std::memory_order_relaxed);
    third.store(0, std::memory_order_relaxed);
    phaseStart.store(now(), std::memory_order_relaxed);
    lastCheck = coarseNow();
    lastMemoryCheck = lastCheck;
    phaseStartMemory = limitedKind(phaseKind) && memoryLimitBytes > 0 ? residentMemoryBytes() : 0;
    solveLabels.store(phaseKind == WorkKind::solving ? labels : nullptr, std::memory_order_release);
    kind.store(static_cast<int>(phaseKind), std::memory_order_release);
}

void WorkControl::leaveLimitedPhase() {
    for (StopReason limit : {StopReason::timeLimit, StopReason::memoryLimit, StopReason::outOfMemory}) {
        int expected = static_cast<int>(limit);
        stopAsked.compare_exchange_strong(expected, 0, std::memory_order_relaxed);
    }
}

void WorkControl::requestStop(StopReason reason) {
    int expected = 0;
    stopAsked.compare_exchange_strong(expected, static_cast<int>(reason), std::memory_order_relaxed);
}

double WorkControl::secondsSince(const std::atomic<std::int64_t>& start) {
    const Clock::duration elapsed(now() - start.load(std::memory_order_relaxed));
    return std::chrono::duration<double>(elapsed).count();
}

bool WorkControl::checkLimits() {
    callsSinceCheck = 0;
    const std::int64_t reading = coarseNow();
    checkInterval = reading == lastCheck ? std::min(checkInterval * 2, mostCallsPerCheck) : 1;
    lastCheck = reading;
    if (limitedKind(currentKind())) {
        const auto elapsed = static_cast<double>(reading - phaseStart.load(std::memory_order_relaxed)) / 1e9;
        if (timeLimitSeconds > 0 && elapsed >= timeLimitSeconds) requestStop(StopReason::timeLimit);
        if (memoryLimitBytes > 0 && reading - lastMemoryCheck >= memoryCheckPeriod) {
            lastMemoryCheck = reading;
            if (residentMemoryBytes() > memoryLimitBytes) requestStop(StopReason::memoryLimit);
        }
    }
    return stopAsked.load(std::memory_order_relaxed) != 0;
}

bool WorkControl::wouldPassMemoryLimit(std::size_t bytesHeld, std::size_t bytesToAllocate) {
    if (memoryLimitBytes == 0 || !limitedKind(currentKind())) return false;
    if (phaseStartMemory + bytesHeld + bytesToAllocate <= memoryLimitBytes) return false;
    requestStop(StopReason::memoryLimit);
    return true;
}

std::size_t residentMemoryBytes() {
    // Plain system calls: this is read every few milliseconds while work runs.
    const int file = open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
    if (file < 0) return 0;
    char text[128];
    const ssize_t length = read(file, text, sizeof text - 1);
    close(file);
    if (length <= 0) return 0;
    text[length] = '\0';
    char* end = nullptr;
    std::strtoull(text, &end, 10);
    if (end == text) return 0;
    char* residentEnd = nullptr;
    const unsigned long long resident = std::strtoull(end, &residentEnd, 10);
    if (residentEnd == end) return 0;
    return static_cast<std::size_t>(resident) * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

double threadCpuSeconds() {
    timespec spent{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &spent) != 0) return 0;
    return static_cast<double>(spent.tv_sec) + static_cast<double>(spent.tv_nsec) / 1e9;
}

}  // namespace vexmolda

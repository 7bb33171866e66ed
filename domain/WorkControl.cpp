#include "domain/WorkControl.h"

#include <unistd.h>

#include <cstdio>
#include <ctime>

namespace vexmolda {

namespace {

std::int64_t now() { return WorkControl::Clock::now().time_since_epoch().count(); }

bool limitedKind(WorkKind kind) { return kind != WorkKind::idle && kind != WorkKind::loading; }

}  // namespace

void WorkControl::begin() {
    stopAsked.store(0, std::memory_order_relaxed);
    commandStart.store(now(), std::memory_order_relaxed);
    enter(WorkKind::idle);
}

void WorkControl::enter(WorkKind phaseKind) {
    callsSinceCheck = 0;
    first.store(0, std::memory_order_relaxed);
    second.store(0, std::memory_order_relaxed);
    third.store(0, std::memory_order_relaxed);
    phaseStart.store(now(), std::memory_order_relaxed);
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
    if (limitedKind(currentKind())) {
        if (timeLimitSeconds > 0 && phaseSeconds() >= timeLimitSeconds) requestStop(StopReason::timeLimit);
        if (memoryLimitBytes > 0 && residentMemoryBytes() > memoryLimitBytes) requestStop(StopReason::memoryLimit);
    }
    return stopAsked.load(std::memory_order_relaxed) != 0;
}

std::size_t residentMemoryBytes() {
    std::FILE* file = std::fopen("/proc/self/statm", "r");
    if (!file) return 0;
    unsigned long long total = 0;
    unsigned long long resident = 0;
    const int read = std::fscanf(file, "%llu %llu", &total, &resident);
    std::fclose(file);
    if (read != 2) return 0;
    return static_cast<std::size_t>(resident) * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

double threadCpuSeconds() {
    timespec spent{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &spent) != 0) return 0;
    return static_cast<double>(spent.tv_sec) + static_cast<double>(spent.tv_nsec) / 1e9;
}

}  // namespace vexmolda

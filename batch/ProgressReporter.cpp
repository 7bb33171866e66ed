#include "batch/ProgressReporter.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "command/ProgressLine.h"

namespace vexmolda {

ProgressReporter::ProgressReporter(const WorkControl& control)
    : control(control), terminal(isatty(STDERR_FILENO) != 0), thread([this] { loop(); }) {}

ProgressReporter::~ProgressReporter() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    thread.join();
    if (lineShown && terminal) std::fputs("\r\x1b[K", stderr);
}

void ProgressReporter::setWhat(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex);
    what = text;
}

void ProgressReporter::loop() {
    const auto period = terminal ? std::chrono::milliseconds(500) : std::chrono::milliseconds(1000);
    std::unique_lock<std::mutex> lock(mutex);
    while (!wake.wait_for(lock, period, [this] { return stopping; })) {
        if (what.empty()) continue;
        const std::string line = progressLine(what, control);
        if (terminal) {
            std::fprintf(stderr, "\r\x1b[K%s", line.c_str());
        } else {
            std::fprintf(stderr, "%s\n", line.c_str());
        }
        std::fflush(stderr);
        lineShown = true;
    }
}

}  // namespace vexmolda

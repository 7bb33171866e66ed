#pragma once
// --progress: the progress line of the running work on standard error.

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "domain/WorkControl.h"

namespace vexmolda {

// A thread that writes the line while work runs: updated in place twice a
// second on a terminal, one line a second otherwise.
class ProgressReporter {
public:
    explicit ProgressReporter(const WorkControl& control);
    // Stops the thread and clears the line.
    ~ProgressReporter();

    // The argument that runs now ("" between arguments: nothing is written).
    void setWhat(const std::string& what);

private:
    void loop();

    const WorkControl& control;
    const bool terminal;
    std::mutex mutex;
    std::condition_variable wake;
    std::string what;
    bool stopping = false;
    bool lineShown = false;
    std::thread thread;
};

}  // namespace vexmolda

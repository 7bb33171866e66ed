#pragma once
// Runs the window's commands: quick ones at once, long ones (a solve, a
// grounding, a file load) on a worker thread beside the frame loop. What is
// given while work runs waits, in order.

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "command/LongJob.h"
#include "command/Session.h"

namespace vexmolda {

class CommandRunner {
public:
    explicit CommandRunner(Session& session);
    // Stops the work and waits for it.
    ~CommandRunner();

    // A typed line. "q", "quit" and "exit" stop the work and end the session
    // at once; any other line runs now, or waits while work runs.
    void submitLine(const std::string& line);
    // A long job given by the program: the start-up load (whose report is
    // printed when it ends) or the build button (a window action, no report).
    void submitJob(std::unique_ptr<LongJob> job, std::string description, bool reportWhenDone = false);
    // Once per frame, first: adopts the ended work's result in the session;
    // true when it did.
    bool finishEndedWork();
    // Once per frame, after the report: runs the next waiting entry, if idle;
    // true when it ran one.
    bool runNext();
    // Escape: asks the running work to stop.
    void stop();
    // Stops the work and waits until it has ended (its result is adopted).
    void stopAndWait();

    bool busy() const { return job != nullptr; }
    std::size_t waiting() const { return pending.size(); }
    // The progress line of the running work; empty when idle.
    std::string progressText() const;

private:
    struct Pending {
        std::string line;
        std::unique_ptr<LongJob> job;  // set for program jobs
        std::string description;
        bool reportWhenDone = false;
    };
    // Runs the entry now; true when it started work on the worker.
    bool runNow(Pending& entry);
    void start(std::unique_ptr<LongJob> longJob, std::string description, bool reportWhenDone);
    void finishRunning();

    Session& session;
    std::deque<Pending> pending;
    std::unique_ptr<LongJob> job;
    std::string runningDescription;
    bool reportWhenDone = false;
    std::thread worker;
    std::atomic<bool> workEnded{false};
};

}  // namespace vexmolda

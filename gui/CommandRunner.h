#pragma once
// Runs the window's commands and actions in the order given, one a frame:
// quick ones in the frame loop, long ones (a solve, a grounding, a file load)
// on a worker thread beside it.

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "command/LongJob.h"
#include "command/Session.h"
#include "gui/WindowAction.h"

namespace vexmolda {

class CommandRunner {
public:
    explicit CommandRunner(Session& session);
    // Stops the work and waits for it.
    ~CommandRunner();

    // A typed line, queued. "q", "quit" and "exit" with nothing before them
    // (or while work runs) stop the work and end the session at once.
    void submitLine(const std::string& line);
    // A window action or the start-up load, queued; only the latter reprints
    // the report when it ends.
    void submitAction(WindowAction action, std::string description, bool reportWhenDone = false);
    // Once per frame, first: adopts the ended work's result in the session;
    // true when it did.
    bool finishEndedWork();
    // Once per frame, after the report: runs the next waiting entry, if idle;
    // true when it ran one. One a frame, so each line's report comes before
    // the next line runs.
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
        WindowAction action;  // set for window actions and the start-up load
        std::string description;
        bool reportWhenDone = false;
    };
    // Runs the entry now; true when it started work on the worker.
    bool runNow(Pending& entry);
    void quitNow(const std::string& line);
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

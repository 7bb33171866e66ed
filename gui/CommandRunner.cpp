#include "gui/CommandRunner.h"

#include "command/Execute.h"
#include "command/ProgressLine.h"

namespace vexmolda {

namespace {

bool isQuit(const TokenList& tokens) {
    if (tokens.empty()) return false;
    const std::string& word = tokens[0].text;
    return word == "q" || word == "quit" || word == "exit";
}

}  // namespace

CommandRunner::CommandRunner(Session& session) : session(session) {}

CommandRunner::~CommandRunner() { stopAndWait(); }

void CommandRunner::submitLine(const std::string& line) {
    // A quit behind waiting lines comes in its turn, after their reports.
    if (isQuit(tokenize(line)) && (busy() || pending.empty())) {
        quitNow(line);
        return;
    }
    pending.push_back(Pending{line, nullptr, line, true});
}

void CommandRunner::quitNow(const std::string& line) {
    stopAndWait();
    pending.clear();
    session.messages.clear();
    executeLine(session, line);
}

void CommandRunner::submitAction(WindowAction action, std::string description, bool report) {
    pending.push_back(Pending{"", std::move(action), std::move(description), report});
}

bool CommandRunner::runNow(Pending& entry) {
    if (entry.action) {
        std::unique_ptr<LongJob> longJob = entry.action();
        session.changeStamp = nextCreationNumber();
        if (!longJob) return false;
        start(std::move(longJob), entry.description, entry.reportWhenDone);
        return true;
    }
    // As typed: the messages of the last command go, then the line runs.
    session.messages.clear();
    TokenList tokens = tokenize(entry.line);
    if (std::unique_ptr<LongJob> longJob = longJobFor(session, tokens)) {
        start(std::move(longJob), entry.line, true);
        return true;
    }
    execute(session, std::move(tokens));
    return false;
}

void CommandRunner::start(std::unique_ptr<LongJob> longJob, std::string description, bool report) {
    job = std::move(longJob);
    runningDescription = std::move(description);
    reportWhenDone = report;
    session.control->begin();
    workEnded.store(false, std::memory_order_relaxed);
    LongJob* running = job.get();
    worker = std::thread([this, running] {
        running->run();
        workEnded.store(true, std::memory_order_release);
    });
}

void CommandRunner::finishRunning() {
    worker.join();
    std::unique_ptr<LongJob> ended = std::move(job);
    ended->finish();
    session.changeStamp = nextCreationNumber();
    // The report is printed once per command, when it ends.
    if (reportWhenDone) session.switches.dirty = true;
}

bool CommandRunner::finishEndedWork() {
    if (!busy() || !workEnded.load(std::memory_order_acquire)) return false;
    finishRunning();
    return true;
}

bool CommandRunner::runNext() {
    if (busy() || pending.empty() || session.quitRequested) return false;
    Pending entry = std::move(pending.front());
    pending.pop_front();
    runNow(entry);
    return true;
}

void CommandRunner::stop() {
    if (busy()) session.control->requestStop(StopReason::user);
}

void CommandRunner::stopAndWait() {
    if (!busy()) return;
    stop();
    finishRunning();
}

std::string CommandRunner::progressText() const {
    if (!busy()) return "";
    return progressLine(runningDescription, *session.control);
}

}  // namespace vexmolda

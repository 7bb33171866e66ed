#pragma once
// Commands that may take long (a solve, a grounding, a file load), as jobs
// whose work can run on another thread while the session stays readable.

#include <memory>
#include <string>

#include "command/Token.h"

namespace vexmolda {

class Session;

// One long command. run() may run on any thread; meanwhile it writes nothing
// that the report or the windows read, and the session must not be changed.
// run() reads its inputs (switches, logging, random numbers) from the session
// when it starts, so a job made early, queued behind other work, sees what
// that work left. finish() runs on the session's thread once run() has returned.
class LongJob {
public:
    virtual ~LongJob() = default;
    virtual void run() = 0;
    virtual void finish() = 0;
};

// The job for a "solve", "buildInst" or "file" line, or null for every other
// line (those run at once through execute).
std::unique_ptr<LongJob> longJobFor(Session& session, const TokenList& tokens);
// The full rebuild of the instances as a job ("buildInst" and the window's button).
std::unique_ptr<LongJob> buildInstancesJob(Session& session);

// Loads a domain file into a scratch session that starts, when run() starts,
// with this session's switches, messages and hooks; finish() puts the loaded
// domain in place (or only the messages, when the file could not be opened).
class FileLoadJob : public LongJob {
public:
    FileLoadJob(Session& session, std::string fileName);
    ~FileLoadJob() override;
    void run() override;
    void finish() override;

private:
    Session& session;
    std::string fileName;
    std::unique_ptr<Session> scratch;
    bool replaced = false;
};

// Starts a scratch session for work that replaces the whole domain: a copy of
// the switches, the heuristic setting, messages, hooks, random numbers and
// attachment, the same control.
std::unique_ptr<Session> scratchSessionFor(const Session& session);
// Moves a scratch session's domain and buffers into the session.
void adoptScratchSession(Session& session, Session& scratch);

}  // namespace vexmolda

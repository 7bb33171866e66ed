#include "command/LongJob.h"

#include "command/CAtoi.h"
#include "command/LoadFile.h"
#include "command/RebuildInstances.h"
#include "command/RunSolver.h"
#include "command/Session.h"

namespace vexmolda {

namespace {

class SolveLongJob : public LongJob {
public:
    SolveLongJob(Session& session, std::string name, std::int32_t limit) : job(session, std::move(name), limit) {}
    void run() override { job.run(); }
    void finish() override { job.finish(); }

private:
    SolveJob job;
};

class GroundingLongJob : public LongJob {
public:
    explicit GroundingLongJob(Session& session) : job(session) {}
    void run() override { job.run(); }
    void finish() override { job.finish(); }

private:
    GroundingJob job;
};

}  // namespace

std::unique_ptr<LongJob> longJobFor(Session& session, const TokenList& tokens) {
    if (tokens.empty()) return nullptr;
    const std::string& word = tokens[0].text;
    if (word == "solve" && tokens.size() >= 2) {
        const std::int32_t limit = tokens.size() > 2 ? readSolveLimit(tokens[2].text, session.messages) : 0;
        return std::make_unique<SolveLongJob>(session, tokens[1].text, limit);
    }
    if (word == "buildInst") return buildInstancesJob(session);
    if (word == "file" && tokens.size() >= 2) return std::make_unique<FileLoadJob>(session, domainFileName(tokens[1].text));
    return nullptr;
}

std::unique_ptr<LongJob> buildInstancesJob(Session& session) { return std::make_unique<GroundingLongJob>(session); }

std::unique_ptr<Session> scratchSessionFor(const Session& session) {
    auto scratch = std::make_unique<Session>();
    scratch->switches = session.switches;
    scratch->heuristic = session.heuristic;
    scratch->messages = session.messages;
    scratch->log.enabled = session.log.enabled;
    scratch->hooks = session.hooks;
    scratch->random = session.random;
    scratch->attachment = session.attachment;
    scratch->control = session.control;
    return scratch;
}

void adoptScratchSession(Session& session, Session& scratch) {
    // The windows keep referring to the same session object.
    session = std::move(scratch);
}

FileLoadJob::FileLoadJob(Session& session, std::string fileName) : session(session), fileName(std::move(fileName)) {}

FileLoadJob::~FileLoadJob() = default;

void FileLoadJob::run() {
    scratch = scratchSessionFor(session);
    replaced = loadFile(*scratch, fileName) != LoadResult::notLoaded;
}

void FileLoadJob::finish() {
    if (replaced) {
        adoptScratchSession(session, *scratch);
        return;
    }
    // Nothing was loaded: the domain stays; only the new messages count.
    session.messages = std::move(scratch->messages);
    session.quitRequested = session.quitRequested || scratch->quitRequested;
}

}  // namespace vexmolda

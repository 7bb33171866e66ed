#pragma once
// Loading a PDDL domain and problem: read, check, translate, then run as typed lines.

#include <memory>
#include <string>

#include "command/LongJob.h"

#include "pddl/NameMapping.h"
#include "pddl/Translation.h"

namespace vexmolda {

class Session;

// Reads and translates both files without touching the model, stopping
// when the session's control asks; false after putting the refusal (or the
// stop) in messages and the reason a solve gives in noTaskReason.
bool translatePddlFiles(Session& session, const std::string& domainPath, const std::string& problemPath,
                        PddlTranslation& translation);

// Translates both files; only when everything passed, wipes and executes the
// translation line by line (so a refusal leaves the current domain as it
// was). With a .pln path, also saves the loaded domain there as "save"
// writes it. False when anything asked for failed; every problem is a line
// in messages.
bool loadPddl(Session& session, const std::string& domainPath, const std::string& problemPath,
              const std::string& plnPath = "");

// Loads a PDDL task into a scratch session, so the work can run beside the
// window; finish() puts the loaded domain in place, or only the messages
// when the task was refused.
class PddlLoadJob : public LongJob {
public:
    PddlLoadJob(Session& session, std::string domainPath, std::string problemPath);
    ~PddlLoadJob() override;
    void run() override;
    void finish() override;

private:
    Session& session;
    std::string domainPath;
    std::string problemPath;
    std::unique_ptr<Session> scratch;
    bool replaced = false;
};

// The names of the session's last PDDL load while its domain is still the one loaded; null otherwise.
const PddlNames* currentPddlNames(const Session& session);

}  // namespace vexmolda

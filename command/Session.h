#pragma once
// One user's whole state: the domain, the switches, the text buffers, the
// instances and what the last solves left. Everything a command changes.

#include <sys/types.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "command/PlanValidation.h"
#include "domain/Model.h"
#include "domain/TextBuffer.h"
#include "domain/WorkControl.h"
#include "grounding/Grounding.h"
#include "grounding/OperationInstance.h"
#include "solvers/IslandRandom.h"
#include "solvers/PlanningGraph.h"
#include "solvers/SolveResult.h"

namespace vexmolda {

// The switches that commands toggle and the report shows.
struct Switches {
    bool dirty = true;        // the report is out of date; set by every execute
    bool noDups = true;       // an instance may not bind one object twice
    bool ignConst = false;    // operation constraints are not evaluated
    bool filterReds = true;   // instances equal to an earlier one are dropped
    bool showInst = false;    // the report lists every instance
};

// Something a higher layer keeps with the loaded task (the PDDL names of a
// PDDL load); the session only carries it.
class SessionAttachment {
public:
    virtual ~SessionAttachment() = default;
    // How "validate" reads a plan file while this task is loaded.
    virtual PlanReading planReading(const Session&) const { return {}; }
};

// What one solve or grounding took, for the hooks below.
struct WorkSummary {
    std::string solverName;  // empty for grounding
    double cpuSeconds = 0;
    double wallSeconds = 0;
    std::uint64_t bindings = 0;  // grounding: bindings tried
};

// The full build the instance list begins with.
struct InstancesBuild {
    GroundingOptions switches;  // the switches it was made under
    std::size_t count = 0;      // the instances it made, first in the list
};

class Session;

// Callbacks the programs set: writing plans, statistics lines.
struct SessionHooks {
    std::function<void(Session&, const SolveResult&, const WorkSummary&)> afterSolve;
    std::function<void(Session&, const WorkSummary&)> afterGrounding;
};

class Session {
public:
    // The grounding switches as options.
    GroundingOptions groundingOptions() const {
        return {switches.noDups, switches.ignConst, switches.filterReds};
    }
    // The logging switch is the log buffer's enabled flag.
    bool& logging() { return log.enabled; }
    bool logging() const { return log.enabled; }

    Model model;
    InstanceList instances;
    // Set when a build finishes; cleared by a wipe and by every command that
    // changes what a grounding reads, so it holds only while a "buildInst"
    // under its switches would make the list's first instances again.
    std::optional<InstancesBuild> instancesBuild;
    Switches switches;
    // A new number at every command and every ended job: views cache what they show by it.
    std::uint64_t changeStamp = nextCreationNumber();
    // Errors and status lines of commands; always enabled.
    TextBuffer messages{true};
    // Solver traces.
    TextBuffer log{true};
    // The last solve's result; null before the first solve and after a wipe.
    std::unique_ptr<SolveResult> lastSolve;
    // The plan the report shows: the last solve's, when that run made it current.
    Plan* currentPlan = nullptr;
    // The planning graph of the last "graph" run; null after a wipe or a rebuild.
    std::shared_ptr<const PlanningGraph> graph;
    // The random numbers of "inselrand"; never reseeded.
    IslandRandom random;
    SessionHooks hooks;
    // Stop requests, limits and progress of the work the session runs;
    // shared with any scratch session a load builds.
    std::shared_ptr<WorkControl> control = std::make_shared<WorkControl>();
    std::shared_ptr<const SessionAttachment> attachment;
    // The files being loaded, outermost first, by device and inode.
    std::vector<std::pair<dev_t, ino_t>> filesBeingLoaded;
    // Set by "q": the program ends once the command returns.
    bool quitRequested = false;
    // Why no solve may run though the model is there ("the PDDL task was
    // refused"): the task asked for was not loaded. Empty otherwise; a wipe clears it.
    std::string noTaskReason;
    // The heuristic every search uses ("heuristic NAME"); empty for each
    // solver's own. A wipe clears it.
    std::string heuristic;
};

}  // namespace vexmolda

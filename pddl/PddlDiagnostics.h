#pragma once
// The refusal and the warnings met while reading and translating PDDL, and
// the stop requests that work polls.

#include <string>
#include <vector>

#include "domain/WorkControl.h"

namespace vexmolda {

// Collects "file:line: text" lines; only the first refusal is kept, since
// everything after it may be a consequence.
class PddlDiagnostics {
public:
    void refuse(const std::string& file, int line, const std::string& text);
    // A refusal that belongs to no single line.
    void refuse(const std::string& text);
    void warn(const std::string& file, int line, const std::string& text);
    // A line about the whole load, such as what was compiled.
    void note(const std::string& text);
    // True once the control asks the work to stop; the loops of reading and
    // translating poll it, then refuseStopped.
    bool stopAsked() { return stopped || (control && control->shouldStop()); }
    // The refusal says where the load of the file stopped and why: "Loading
    // "p.pddl" stopped by the user at line 17".
    void refuseStopped(const std::string& file, const std::string& where);

    bool refused() const { return !refusal.empty(); }

    std::string refusal;                // one line with its "\n", or empty
    std::vector<std::string> warnings;  // each with its "\n"
    WorkControl* control = nullptr;     // null when nothing can stop the work
    bool stopped = false;               // the refusal is a stop
};

// "Loading "FILE" stopped by the user WHERE" and the like at the limits; no line feed.
std::string loadStoppedMessage(const std::string& file, StopReason reason, const WorkControl& control,
                               const std::string& where);

}  // namespace vexmolda

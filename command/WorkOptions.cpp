#include "command/WorkOptions.h"

#include <cstdio>
#include <cstdlib>

#include "command/Session.h"
#include "command/StatsLine.h"

namespace vexmolda {

const char* const workOptionsUsage =
    "  --time-limit SECONDS   stop a solve or grounding that runs longer (wall clock)\n"
    "  --memory-limit MB      stop a solve or grounding once the program uses more memory\n"
    "  --stats                one JSON line on standard error after every solve and grounding\n";

namespace {

bool positiveNumber(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0' && value > 0;
}

}  // namespace

int readWorkOption(const std::vector<std::string>& arguments, std::size_t& i, WorkOptions& options) {
    const std::string& option = arguments[i];
    if (option == "--stats") {
        options.stats = true;
        return 1;
    }
    if (option != "--time-limit" && option != "--memory-limit") return 0;
    double value = 0;
    if (i + 1 >= arguments.size() || !positiveNumber(arguments[i + 1], value)) return -1;
    if (option == "--time-limit") {
        options.timeLimitSeconds = value;
    } else {
        options.memoryLimitMegabytes = static_cast<std::size_t>(value);
        if (options.memoryLimitMegabytes == 0) return -1;
    }
    ++i;
    return 1;
}

void applyWorkOptions(Session& session, const WorkOptions& options) {
    session.control->timeLimitSeconds = options.timeLimitSeconds;
    session.control->memoryLimitBytes = options.memoryLimitMegabytes * 1024 * 1024;
    if (!options.stats) return;
    auto solved = session.hooks.afterSolve;
    session.hooks.afterSolve = [solved](Session& s, const SolveResult& result, const WorkSummary& summary) {
        if (solved) solved(s, result, summary);
        std::fprintf(stderr, "%s\n", solveStatsLine(result, summary).c_str());
        std::fflush(stderr);
    };
    auto grounded = session.hooks.afterGrounding;
    session.hooks.afterGrounding = [grounded](Session& s, const WorkSummary& summary) {
        if (grounded) grounded(s, summary);
        std::fprintf(stderr, "%s\n", groundStatsLine(s.instances.size(), summary).c_str());
        std::fflush(stderr);
    };
}

}  // namespace vexmolda

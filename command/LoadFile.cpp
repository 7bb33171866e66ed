#include "command/LoadFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <utility>
#include <vector>

#include "command/Execute.h"
#include "command/ReadableFile.h"
#include "command/Session.h"
#include "command/StopMessage.h"
#include "command/Wipe.h"

namespace vexmolda {

namespace {

// Longest piece executed as one line, newline included.
constexpr std::size_t maxPieceBytes = 254;
// Deepest nesting of "file" lines.
constexpr std::size_t maxNesting = 64;

// Reads one line with its newline (if any); false at the end of the file or
// on a read error (ferror tells which, errno why). A carriage return right
// before the newline is dropped.
bool readLine(std::FILE* file, std::string& line) {
    line.clear();
    int byte;
    while ((byte = std::getc(file)) != EOF) {
        line.push_back(static_cast<char>(byte));
        if (byte == '\n') break;
    }
    // A line cut short by a read error is not run.
    if (std::ferror(file)) return false;
    if (line.size() >= 2 && line[line.size() - 1] == '\n' && line[line.size() - 2] == '\r') {
        line.erase(line.size() - 2, 1);
    }
    return !line.empty();
}

}  // namespace

std::string domainFileName(const std::string& name) {
    if (name.size() >= 5 && name.compare(name.size() - 4, 4, ".pln") == 0) return name;
    return name + ".pln";
}

LoadResult loadFile(Session& session, const std::string& name) {
    TextBuffer& messages = session.messages;
    std::FILE* file = openReadableFile(name, "r", messages);
    if (!file) return LoadResult::notLoaded;
    struct stat status {};
    fstat(fileno(file), &status);
    const std::pair<dev_t, ino_t> identity{status.st_dev, status.st_ino};
    auto& loading = session.filesBeingLoaded;
    for (const auto& open : loading) {
        if (open == identity) {
            std::fclose(file);
            messages.append("File \"" + name + "\" is already being loaded\n");
            return LoadResult::notLoaded;
        }
    }
    if (loading.size() >= maxNesting) {
        std::fclose(file);
        messages.append("File \"" + name + "\" nested too deeply\n");
        return LoadResult::notLoaded;
    }

    wipe(session);
    loading.push_back(identity);
    WorkControl& control = *session.control;
    std::string line;
    int lineNumber = 1;
    while (!session.quitRequested && readLine(file, line)) {
        // A solve or a grounding on a line shows its own counters meanwhile.
        if (control.currentKind() != WorkKind::loading) control.enter(WorkKind::loading);
        control.first.store(static_cast<std::uint64_t>(lineNumber), std::memory_order_relaxed);
        // Over-long lines run as several commands, as a fixed line buffer reads them.
        for (std::size_t start = 0; start < line.size() && !session.quitRequested; start += maxPieceBytes) {
            executeLine(session, line.substr(start, maxPieceBytes));
        }
        if (control.stopReason() == StopReason::user) {
            messages.append("Loading \"" + name + "\" stopped by the user at line " + std::to_string(lineNumber) +
                            "\n");
            break;
        }
        if (line.back() == '\n') ++lineNumber;
    }
    // A read error is no end of file: the rest of the domain is missing.
    const int error = errno;
    const bool readWhole = !std::ferror(file);
    if (!readWhole) messages.append(readFailedMessage(name, lineNumber, error));
    loading.pop_back();
    std::fclose(file);
    return readWhole ? LoadResult::loaded : LoadResult::readFailed;
}

}  // namespace vexmolda

#include "command/LoadFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <utility>
#include <vector>

#include "command/Execute.h"
#include "command/ReadableFile.h"
#include "command/TextBuffer.h"
#include "command/Wipe.h"

namespace vexmolda {

namespace {

// Longest piece executed as one line, newline included.
constexpr std::size_t maxPieceBytes = 254;
// Deepest nesting of "file" lines.
constexpr std::size_t maxNesting = 64;

// The files being loaded, outermost first, by device and inode.
std::vector<std::pair<dev_t, ino_t>>& filesBeingLoaded() {
    static std::vector<std::pair<dev_t, ino_t>> files;
    return files;
}

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

bool loadFile(const std::string& name) {
    std::FILE* file = openReadableFile(name, "r", messages);
    if (!file) return false;
    struct stat status {};
    fstat(fileno(file), &status);
    const std::pair<dev_t, ino_t> identity{status.st_dev, status.st_ino};
    auto& loading = filesBeingLoaded();
    for (const auto& open : loading) {
        if (open == identity) {
            std::fclose(file);
            messages.append("File \"" + name + "\" is already being loaded\n");
            return false;
        }
    }
    if (loading.size() >= maxNesting) {
        std::fclose(file);
        messages.append("File \"" + name + "\" nested too deeply\n");
        return false;
    }

    wipe();
    loading.push_back(identity);
    std::string line;
    int lineNumber = 1;
    while (readLine(file, line)) {
        // Over-long lines run as several commands, as a fixed line buffer reads them.
        for (std::size_t start = 0; start < line.size(); start += maxPieceBytes) {
            executeLine(line.substr(start, maxPieceBytes));
        }
        if (line.back() == '\n') ++lineNumber;
    }
    // A read error is no end of file: the rest of the domain is missing.
    const int error = errno;
    const bool readWhole = !std::ferror(file);
    if (!readWhole) messages.append(readFailedMessage(name, lineNumber, error));
    loading.pop_back();
    std::fclose(file);
    return readWhole;
}

}  // namespace vexmolda

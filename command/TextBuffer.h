#pragma once
// Line buffers that commands and solvers write into and the report reads.

#include <cstdint>
#include <string>
#include <vector>

namespace vexmolda {

// An ordered list of lines, each kept exactly as appended, plus an on/off flag.
class TextBuffer {
public:
    explicit TextBuffer(bool enabledAtStart) : enabled(enabledAtStart) {}

    // Appends the line when the buffer is enabled; drops it otherwise.
    void append(std::string line);
    void clear() {
        lines.clear();
        ++clears;
    }
    // How often the buffer was emptied: views see replaced content by it.
    std::uint64_t clearCount() const { return clears; }
    bool empty() const { return lines.empty(); }
    // All lines joined, nothing added between them.
    std::string text() const;

    std::vector<std::string> lines;
    bool enabled;

private:
    std::uint64_t clears = 0;
};

// Errors and status lines of commands; always enabled.
extern TextBuffer messages;
// Solver traces; its enabled flag is the logging switch.
extern TextBuffer log;

}  // namespace vexmolda

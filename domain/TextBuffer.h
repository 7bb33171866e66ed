#pragma once
// Line buffers that commands and solvers write into and the report reads.

#include <cstdint>
#include <string>
#include <vector>

#include "domain/CreationSequence.h"
#include "domain/Diagnostics.h"

namespace vexmolda {

// An ordered list of lines, each kept exactly as appended, plus an on/off flag.
class TextBuffer : public Diagnostics {
public:
    explicit TextBuffer(bool enabledAtStart = true) : enabled(enabledAtStart) {}

    // Appends the line when the buffer is enabled; drops it otherwise.
    void append(std::string line) override;
    void clear() {
        lines.clear();
        stamp = nextCreationNumber();
    }
    // Changes whenever the buffer is emptied: views see replaced content by it.
    std::uint64_t contentStamp() const { return stamp; }
    bool empty() const { return lines.empty(); }
    // All lines joined, nothing added between them.
    std::string text() const;

    std::vector<std::string> lines;
    bool enabled;

private:
    std::uint64_t stamp = nextCreationNumber();
};

}  // namespace vexmolda

#pragma once
// Where lower layers report problems: one message line at a time.

#include <string>

namespace vexmolda {

// A sink for message lines; each line ends in "\n".
class Diagnostics {
public:
    virtual ~Diagnostics() = default;
    // Records one line.
    virtual void append(std::string line) = 0;
};

}  // namespace vexmolda

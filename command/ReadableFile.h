#pragma once
// Opening input files, with one message saying why one cannot be read.

#include <cstdio>
#include <string>

#include "domain/TextBuffer.h"

namespace vexmolda {

// Opens the file (name used as given) in a reading mode; null after one
// message when it does not exist ("not found"), is a directory or cannot be
// read (the system's reason).
std::FILE* openReadableFile(const std::string& name, const char* mode, TextBuffer& messages);

// The message for a read that failed after opening, on the given line.
std::string readFailedMessage(const std::string& name, int line, int error);

}  // namespace vexmolda

#pragma once
// The version line both programs print for "--version".

namespace vexmolda {

// "vexmolda 0.2.0\n": the program name and the project version of this build.
extern const char* const versionLine;

}  // namespace vexmolda

#include "command/Version.h"

// The build passes the project version, so it is defined in one place only.
#ifndef VEXMOLDA_VERSION
#error "VEXMOLDA_VERSION must be defined by the build (the project version)"
#endif

namespace vexmolda {

const char* const versionLine = "vexmolda " VEXMOLDA_VERSION "\n";

}  // namespace vexmolda

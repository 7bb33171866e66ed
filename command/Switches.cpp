#include "command/Switches.h"

#include "command/TextBuffer.h"

namespace vexmolda {

bool dirty = true;
bool noDups = true;
bool ignConst = false;
bool filterReds = true;
bool showInst = false;

bool& logging() { return log.enabled; }

}  // namespace vexmolda

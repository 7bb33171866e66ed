#pragma once
// The full rebuild of the instance list, shared by "buildInst" and the window's button.

namespace vexmolda {

// Clears the current plan, lets every solver drop what refers to the old
// instances, then builds all instances anew.
void rebuildInstances();

}  // namespace vexmolda

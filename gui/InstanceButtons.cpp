#include "gui/InstanceButtons.h"

#include "command/RebuildInstances.h"
#include "command/Switches.h"

namespace vexmolda {

namespace {
constexpr float buttonTop = 1.2f;
constexpr float buttonHeight = 3;
}  // namespace

Rgb toggleShade(bool inForce) { return inForce ? toggleOnGrey : toggleOffGrey; }

BInstButton::BInstButton(Window* parent) : RegButton(parent, "Build Instances", 25, buttonTop, 17, buttonHeight) {}

// Window actions do not reprint the report by themselves: only commands do.
void BInstButton::onClick() { rebuildInstances(); }

SwitchButton::SwitchButton(Window* parent, std::string label, float x, float width, bool& flag,
                           bool inForceWhenSet)
    : RegButton(parent, std::move(label), x, buttonTop, width, buttonHeight), flag(flag), inForceWhenSet(inForceWhenSet) {}

void SwitchButton::onClick() { flag = !flag; }

void SwitchButton::drawSelf() {
    color = toggleShade(flag == inForceWhenSet);
    RegButton::drawSelf();
}

CnstButton::CnstButton(Window* parent) : SwitchButton(parent, "Use Constraints", 43, 17, ignConst, false) {}

DupButton::DupButton(Window* parent) : SwitchButton(parent, "No Duplicates", 61, 15, noDups, true) {}

RedButton::RedButton(Window* parent) : SwitchButton(parent, "Filter Redundant", 77, 18, filterReds, true) {}

}  // namespace vexmolda

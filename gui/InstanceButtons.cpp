#include "gui/InstanceButtons.h"


namespace vexmolda {

namespace {
constexpr float buttonTop = 1.2f;
constexpr float buttonHeight = 3;
}  // namespace

Rgb toggleShade(bool inForce) { return inForce ? toggleOnGrey : toggleOffGrey; }

BInstButton::BInstButton(Window* parent, std::function<void()> build)
    : RegButton(parent, "Build Instances", 25, buttonTop, 17, buttonHeight), build(std::move(build)) {}

// Window actions do not reprint the report by themselves: only commands do.
void BInstButton::onClick() { build(); }

SwitchButton::SwitchButton(Window* parent, std::string label, float x, float width, bool& flag,
                           bool inForceWhenSet)
    : RegButton(parent, std::move(label), x, buttonTop, width, buttonHeight), flag(flag), inForceWhenSet(inForceWhenSet) {}

void SwitchButton::onClick() { flag = !flag; }

void SwitchButton::drawSelf() {
    color = toggleShade(flag == inForceWhenSet);
    RegButton::drawSelf();
}

CnstButton::CnstButton(Window* parent, Switches& switches)
    : SwitchButton(parent, "Use Constraints", 43, 17, switches.ignConst, false) {}

DupButton::DupButton(Window* parent, Switches& switches)
    : SwitchButton(parent, "No Duplicates", 61, 15, switches.noDups, true) {}

RedButton::RedButton(Window* parent, Switches& switches)
    : SwitchButton(parent, "Filter Redundant", 77, 18, switches.filterReds, true) {}

}  // namespace vexmolda

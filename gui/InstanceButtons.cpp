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

void BInstButton::onClick() {
    rebuildInstances();
    // The report shows the instance counts: reprint it as after "buildInst".
    dirty = true;
}

CnstButton::CnstButton(Window* parent) : RegButton(parent, "Use Constraints", 43, buttonTop, 17, buttonHeight) {}

void CnstButton::onClick() {
    ignConst = !ignConst;
    dirty = true;
}

void CnstButton::drawSelf() {
    color = toggleShade(!ignConst);
    RegButton::drawSelf();
}

DupButton::DupButton(Window* parent) : RegButton(parent, "No Duplicates", 61, buttonTop, 15, buttonHeight) {}

void DupButton::onClick() {
    noDups = !noDups;
    dirty = true;
}

void DupButton::drawSelf() {
    color = toggleShade(noDups);
    RegButton::drawSelf();
}

RedButton::RedButton(Window* parent) : RegButton(parent, "Filter Redundant", 77, buttonTop, 18, buttonHeight) {}

void RedButton::onClick() {
    filterReds = !filterReds;
    dirty = true;
}

void RedButton::drawSelf() {
    color = toggleShade(filterReds);
    RegButton::drawSelf();
}

}  // namespace vexmolda

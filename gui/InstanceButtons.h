#pragma once
// The four buttons of the instances window: build the instances, and the
// three grounding switches, each dark while its feature is in force.

#include <functional>

#include "command/Session.h"
#include "gui/RegButton.h"

namespace vexmolda {

// Rebuilds the instance list as "buildInst" does, through the given action.
class BInstButton : public RegButton {
public:
    BInstButton(Window* parent, std::function<void()> build);
    void onClick() override;

private:
    std::function<void()> build;
};

// A button that flips one grounding switch and is dark while its feature is
// in force (the switch set, or clear when inForceWhenSet is false).
class SwitchButton : public RegButton {
public:
    SwitchButton(Window* parent, std::string label, float x, float width, bool& flag, bool inForceWhenSet);
    void onClick() override;
    void drawSelf() override;

private:
    bool& flag;
    bool inForceWhenSet;
};

// "Use Constraints": dark while constraints are evaluated (ignConst clear).
class CnstButton : public SwitchButton {
public:
    CnstButton(Window* parent, Switches& switches);
};

// "No Duplicates": dark while noDups is set.
class DupButton : public SwitchButton {
public:
    DupButton(Window* parent, Switches& switches);
};

// "Filter Redundant": dark while filterReds is set.
class RedButton : public SwitchButton {
public:
    RedButton(Window* parent, Switches& switches);
};

// The shade of a toggle showing whether its feature is in force.
Rgb toggleShade(bool inForce);

}  // namespace vexmolda

#pragma once
// The four buttons of the instances window: build the instances, and the
// three grounding switches, each dark while its feature is in force.

#include "gui/RegButton.h"

namespace vexmolda {

// Rebuilds the instance list as "buildInst" does.
class BInstButton : public RegButton {
public:
    explicit BInstButton(Window* parent);
    void onClick() override;
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
    explicit CnstButton(Window* parent);
};

// "No Duplicates": dark while noDups is set.
class DupButton : public SwitchButton {
public:
    explicit DupButton(Window* parent);
};

// "Filter Redundant": dark while filterReds is set.
class RedButton : public SwitchButton {
public:
    explicit RedButton(Window* parent);
};

// The shade of a toggle showing whether its feature is in force.
Rgb toggleShade(bool inForce);

}  // namespace vexmolda

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

// "Use Constraints": dark while constraints are evaluated (ignConst clear).
class CnstButton : public RegButton {
public:
    explicit CnstButton(Window* parent);
    void onClick() override;
    void drawSelf() override;
};

// "No Duplicates": dark while noDups is set.
class DupButton : public RegButton {
public:
    explicit DupButton(Window* parent);
    void onClick() override;
    void drawSelf() override;
};

// "Filter Redundant": dark while filterReds is set.
class RedButton : public RegButton {
public:
    explicit RedButton(Window* parent);
    void onClick() override;
    void drawSelf() override;
};

// The shade of a toggle showing whether its feature is in force.
Rgb toggleShade(bool inForce);

}  // namespace vexmolda

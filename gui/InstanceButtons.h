#pragma once
// The four buttons of the instances window: build the instances, and the
// three grounding switches, each dark while its feature is in force. Their
// clicks are window actions, run in their turn among the typed lines.

#include "command/Session.h"
#include "gui/RegButton.h"
#include "gui/WindowAction.h"

namespace vexmolda {

// Rebuilds the instance list as "buildInst" does, with the switches of its turn.
class BInstButton : public RegButton {
public:
    BInstButton(Window* parent, Session& session, ActionQueue queue);
    void onClick() override;

private:
    Session& session;
    ActionQueue queue;
};

// A button that flips one grounding switch in its turn and is dark while its
// feature is in force (the switch set, or clear when inForceWhenSet is false).
class SwitchButton : public RegButton {
public:
    SwitchButton(Window* parent, std::string label, float x, float width, bool& flag, bool inForceWhenSet,
                 ActionQueue queue);
    void onClick() override;
    void drawSelf() override;

private:
    bool& flag;
    bool inForceWhenSet;
    ActionQueue queue;
};

// "Use Constraints": dark while constraints are evaluated (ignConst clear).
class CnstButton : public SwitchButton {
public:
    CnstButton(Window* parent, Switches& switches, ActionQueue queue);
};

// "No Duplicates": dark while noDups is set.
class DupButton : public SwitchButton {
public:
    DupButton(Window* parent, Switches& switches, ActionQueue queue);
};

// "Filter Redundant": dark while filterReds is set.
class RedButton : public SwitchButton {
public:
    RedButton(Window* parent, Switches& switches, ActionQueue queue);
};

// The shade of a toggle showing whether its feature is in force.
Rgb toggleShade(bool inForce);

}  // namespace vexmolda

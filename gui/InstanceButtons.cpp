#include "gui/InstanceButtons.h"

namespace vexmolda {

namespace {
constexpr float buttonTop = 1.2f;
constexpr float buttonHeight = 3;
}  // namespace

Rgb toggleShade(bool inForce) { return inForce ? toggleOnGrey : toggleOffGrey; }

BInstButton::BInstButton(Window* parent, Session& session, ActionQueue queue)
    : RegButton(parent, "Build Instances", 25, buttonTop, 17, buttonHeight), session(session), queue(std::move(queue)) {}

// Window actions do not reprint the report by themselves: only commands do.
void BInstButton::onClick() {
    Session& built = session;
    queue([&built] { return buildInstancesJob(built); }, "Build Instances");
}

SwitchButton::SwitchButton(Window* parent, std::string label, float x, float width, bool& flag,
                           bool inForceWhenSet, ActionQueue queue)
    : RegButton(parent, std::move(label), x, buttonTop, width, buttonHeight),
      flag(flag),
      inForceWhenSet(inForceWhenSet),
      queue(std::move(queue)) {}

void SwitchButton::onClick() {
    bool& flipped = flag;
    queue(
        [&flipped]() -> std::unique_ptr<LongJob> {
            flipped = !flipped;
            return nullptr;
        },
        label);
}

void SwitchButton::drawSelf() {
    color = toggleShade(flag == inForceWhenSet);
    RegButton::drawSelf();
}

CnstButton::CnstButton(Window* parent, Switches& switches, ActionQueue queue)
    : SwitchButton(parent, "Use Constraints", 43, 17, switches.ignConst, false, std::move(queue)) {}

DupButton::DupButton(Window* parent, Switches& switches, ActionQueue queue)
    : SwitchButton(parent, "No Duplicates", 61, 15, switches.noDups, true, std::move(queue)) {}

RedButton::RedButton(Window* parent, Switches& switches, ActionQueue queue)
    : SwitchButton(parent, "Filter Redundant", 77, 18, switches.filterReds, true, std::move(queue)) {}

}  // namespace vexmolda

#pragma once
// The window that lists the operation instances.

#include <memory>

#include "gui/InstanceButtons.h"
#include "gui/ScrollingWindow.h"

namespace vexmolda {

// Every instance in columns, and the build button and three switch toggles above them.
class OIWindow : public ScrollingWindow {
public:
    // Made once by initGui; makes its four buttons, whose clicks go to the queue.
    OIWindow(Session& session, const ActionQueue& queue);

    std::unique_ptr<BInstButton> buildButton;
    std::unique_ptr<CnstButton> constraintsButton;
    std::unique_ptr<DupButton> duplicatesButton;
    std::unique_ptr<RedButton> redundantButton;

protected:
    void drawContent() override;
    float contentBottom() override;
    std::uint64_t contentStamp() const override;

private:
    const Session& session;
};

}  // namespace vexmolda

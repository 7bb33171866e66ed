#pragma once
// The window that shows the loaded domain as text.

#include "command/Session.h"
#include "gui/ScrollingWindow.h"

namespace vexmolda {

// Types, atoms, predicates and the two states on the left, the operations on
// the right; rebuilt from the model on every frame.
class DMWindow : public ScrollingWindow {
public:
    // Made once by initGui; draws the session's domain.
    explicit DMWindow(const Session& session);

protected:
    void drawContent() override;
    float contentBottom() override;
    std::uint64_t contentStamp() const override;

private:
    const Session& session;
};

}  // namespace vexmolda

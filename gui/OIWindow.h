#pragma once
// The window that lists the operation instances.

#include <memory>

#include <string>
#include <vector>

#include "gui/GlfFont.h"
#include "gui/InstanceButtons.h"
#include "gui/InstanceColumns.h"
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
    // The instance texts and the columns they are laid out in.
    struct MeasuredInstances {
        std::vector<std::string> texts;
        InstanceColumns layout;
        bool oneLineEach = true;
    };
    // What they were measured from: measured again only when it changes.
    struct Source {
        std::uint64_t instances;
        std::size_t instanceCount;
        const GlfGlyph* glyphs;
        std::size_t glyphCount;
        bool loaded;
        bool operator==(const Source&) const = default;
    };
    // The instances measured, again only when the list or the font changed.
    const MeasuredInstances& measured();

    const Session& session;
    Source source{};
    MeasuredInstances measuredInstances;
};

}  // namespace vexmolda

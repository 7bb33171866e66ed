#pragma once
// The window that shows the loaded domain as text.

#include <array>

#include "command/Session.h"
#include "gui/ScrollingWindow.h"
#include "gui/WrappedText.h"

namespace vexmolda {

// A section of the left column: its heading's top and the divider under it,
// above which its body's rows stay.
struct DomainSection {
    const char* heading;
    float top;
    float bottom;
};

// The left column's sections, top to bottom; the last one's bottom has no divider.
inline constexpr std::array<DomainSection, 5> domainSections{{{"Types", 1.5f, 20},
                                                               {"Atoms", 21.5f, 40},
                                                               {"Predicates", 41.5f, 60},
                                                               {"Initial\nState", 61.5f, 75},
                                                               {"Goal\nState", 76.5f, 91.5f}}};

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
    // What the texts were made from: they are made again only when it changes.
    struct Source {
        std::uint64_t change;
        std::uint64_t instances;
        std::size_t instanceCount;
        const GlfGlyph* glyphs;
        std::size_t glyphCount;
        bool operator==(const Source&) const = default;
    };
    // Makes the section bodies and the operations text again when the domain changed.
    void refresh();

    const Session& session;
    Source source{};
    std::array<WrappedText, domainSections.size()> sections;
    WrappedText operations;
};

}  // namespace vexmolda

#include "gui/TabColumn.h"

namespace vexmolda {

TabButtons createTabButtons(const WindowSet& windows) {
    const std::array<Window*, 5> targets{windows.domain, windows.instances, windows.plangraph, windows.interference,
                                         windows.log};
    TabButtons buttons;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const TabPlace& place = tabPlaces[i];
        buttons.windowTabs[i] = new OCButton(targets[i], place.label, 0, place.y, tabWidth, place.height);
    }
    const TabPlace& last = tabPlaces[5];
    buttons.messagesTab = new ERRButton(last.label, 0, last.y, tabWidth, last.height);
    return buttons;
}

}  // namespace vexmolda

#pragma once
// The column of tab buttons down the left edge.

#include <array>
#include <string>

#include "gui/ERRButton.h"
#include "gui/OCButton.h"

namespace vexmolda {

// The five sliding windows, in the order the tabs name them.
struct WindowSet {
    Window* domain = nullptr;
    Window* instances = nullptr;
    Window* plangraph = nullptr;
    Window* interference = nullptr;
    Window* log = nullptr;
};

// Caption and vertical extent of one tab; all tabs sit at x 0 and are tabWidth wide.
struct TabPlace {
    const char* label;
    float y;
    float height;
};

constexpr float tabWidth = 2.5f;
// The five window tabs from top to bottom, then the message panel tab.
constexpr std::array<TabPlace, 6> tabPlaces{{{"Domain", 0, 15},
                                            {"Instances", 15, 21},
                                            {"Plangraph", 36, 21},
                                            {"Interference", 57, 27},
                                            {"Log", 84, 10},
                                            {"^^", 94, 6.1f}}};

// The tab buttons as made by createTabButtons.
struct TabButtons {
    std::array<OCButton*, 5> windowTabs{};
    ERRButton* messagesTab = nullptr;
};

// Makes the six tab buttons as children of guiRoot; they live until the process ends.
TabButtons createTabButtons(const WindowSet& windows);

}  // namespace vexmolda

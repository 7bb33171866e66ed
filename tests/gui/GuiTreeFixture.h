#pragma once
// Keeps the process-wide widget tree as it was around each test.

#include <gtest/gtest.h>

#include "gui/GuiElement.h"
#include "gui/PointerInput.h"
#include "gui/Tooltip.h"
#include "gui/Window.h"

namespace vexmolda::testing {

class GuiTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedChildren = guiRoot.children;
        guiRoot.children.clear();
        activeWindow = nullptr;
        hoveredElement = &guiRoot;
        pointer = PointerState{};
    }
    void TearDown() override {
        setTooltip(nullptr);
        guiRoot.children = savedChildren;
        activeWindow = nullptr;
        hoveredElement = &guiRoot;
        pointer = PointerState{};
    }

private:
    std::vector<GuiElement*> savedChildren;
};

}  // namespace vexmolda::testing

#include "gui/OCButton.h"

namespace vexmolda {

OCButton::OCButton(Window* target, std::string label, float x, float y, float width, float height)
    : Button(std::move(label), x, y, width, height, &guiRoot), target(target) {}

void OCButton::onClick() {
    if (target) target->toggle();
}

}  // namespace vexmolda

#include "gui/ERRButton.h"

#include "gui/CommandLine.h"

namespace vexmolda {

ERRButton::ERRButton(std::string label, float x, float y, float width, float height)
    : Button(std::move(label), x, y, width, height, &guiRoot) {}

void ERRButton::drawSelf() {
    // Recomputed every frame, so the shade follows the flag however it changed.
    const Rgb shade = showMessages ? toggleOnGrey : toggleOffGrey;
    setColor(shade.r, shade.g, shade.b);
    Button::drawSelf();
}

void ERRButton::onClick() { showMessages = !showMessages; }

}  // namespace vexmolda

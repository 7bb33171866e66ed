#pragma once
// Drawing of the bottom strip: the message panel and the command line.

namespace vexmolda {

// Draws the message panel and the command line; the last step of a frame.
void drawCommandArea();

}  // namespace vexmolda

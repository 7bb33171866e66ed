#include "gui/IFWindow.h"

namespace vexmolda {

IFWindow::IFWindow() : Window("Interference Table", 2.65f, 0.1f, 97.25f, 99.8f) { setColor(128, 180, 255); }

}  // namespace vexmolda

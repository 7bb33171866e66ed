#include "gui/LogWindow.h"

namespace vexmolda {

LogWindow::LogWindow() : Window("Log", 2.65f, 0.1f, 97.25f, 99.8f) { setColor(128, 180, 255); }

}  // namespace vexmolda

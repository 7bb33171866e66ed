#include "gui/ScrollText.h"

namespace vexmolda {

float scrolledBy(float scroll, float dy) {
    scroll += dy;
    return scroll > 0 ? 0 : scroll;
}

}  // namespace vexmolda

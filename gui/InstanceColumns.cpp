#include "gui/InstanceColumns.h"

namespace vexmolda {

InstanceColumns instanceColumns(std::size_t count, float widest) {
    constexpr std::size_t rowsWanted = 42;
    const float pitch = widest + 7.5f;
    int columns = static_cast<int>((count + rowsWanted - 1) / rowsWanted);
    if (columns < 1) columns = 1;
    if (columns * pitch > 100) {
        columns = static_cast<int>(100 / pitch);
        if (columns < 1) columns = 1;
    }
    const int rows = static_cast<int>((count + columns - 1) / columns);
    return {columns, rows, pitch};
}

}  // namespace vexmolda

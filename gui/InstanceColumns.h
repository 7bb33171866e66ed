#pragma once
// How the instance list is split into columns across the window.

#include <cstddef>

namespace vexmolda {

struct InstanceColumns {
    int columns;  // at least 1
    int rows;     // instances per column; the last column may hold fewer
    float pitch;  // distance between column starts
};

// One column per 42 instances while the columns fit into 100 units; widest is
// the largest instance text width.
InstanceColumns instanceColumns(std::size_t count, float widest);

}  // namespace vexmolda

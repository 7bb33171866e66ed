#include <string>
#include <vector>

#include "batch/BatchRunner.h"

int main(int argc, char** argv) {
    return vexmolda::runBatch(std::vector<std::string>(argv + 1, argv + argc));
}

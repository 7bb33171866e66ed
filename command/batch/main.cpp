#include <string>
#include <vector>

#include "command/BatchRunner.h"

int main(int argc, char** argv) {
    return vexmolda::runBatch(std::vector<std::string>(argv + 1, argv + argc));
}

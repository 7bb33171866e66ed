#include "gui/MainLoop.h"

int main() { vexmolda::runWindowProgram(); }

#include "gui/MainLoop.h"

int main(int argc, char** argv) { return vexmolda::runWindowProgram(vexmolda::programOptionsOrExit(argc, argv)); }

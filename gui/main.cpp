#include "gui/MainLoop.h"

int main(int argc, char** argv) { vexmolda::runWindowProgram(vexmolda::programOptionsOrExit(argc, argv)); }

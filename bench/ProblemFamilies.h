#pragma once
// Planning problems of growing size, written in the command language.

#include <string>
#include <vector>

namespace vexmolda::bench {

// A gripper robot moving n balls from one room to another.
std::string gripperProblem(int balls);
// n blocks stacked in one tower, to be stacked in reverse order.
std::string blocksProblem(int blocks);
// n packages moved between two cities by trucks and an airplane.
std::string logisticsProblem(int packages);
// The standard problems copied into bench/domains/, by path.
std::vector<std::string> standardProblems(const std::string& family);
// Wipes, then runs every line of the text.
void loadProblemText(const std::string& text);

}  // namespace vexmolda::bench

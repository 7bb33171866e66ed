#pragma once
// Planning problems of growing size, written in the command language.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "command/Session.h"
#include "solvers/SolveResult.h"

namespace vexmolda::bench {

// A gripper robot moving n balls from one room to another.
std::string gripperProblem(int balls);
// n blocks stacked in one tower, to be stacked in reverse order.
std::string blocksProblem(int blocks);
// n packages moved between two cities by trucks and an airplane.
std::string logisticsProblem(int packages);
// The standard problems copied into bench/domains/, by path.
std::vector<std::string> standardProblems(const std::string& family);
// Wipes, then runs every line of the text in the benchmarks' session.
void loadProblemText(const std::string& text);
// Loads a domain file into the benchmarks' session.
void loadProblemFile(const std::string& path);
// The session every benchmark of the program works in.
Session& benchSession();
// One run of the named solver on the session's task, as "solve" runs it,
// without touching the session's plan or log.
std::unique_ptr<SolveResult> solveInBenchSession(const std::string& solverName, std::int32_t limit);

}  // namespace vexmolda::bench

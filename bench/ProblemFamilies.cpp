#include "ProblemFamilies.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "command/Execute.h"
#include "command/LoadFile.h"
#include "command/Wipe.h"
#include "solvers/Solver.h"

namespace vexmolda::bench {

std::string gripperProblem(int balls) {
    std::ostringstream text;
    text << "type room ball gripper\natom room roomA roomB\natom gripper left right\n";
    for (int i = 0; i < balls; ++i) text << "atom ball ball" << i << "\n";
    text << "pred robotAt(room:r)\npred at(ball:b, room:r)\npred free(gripper:g)\npred carry(ball:b, gripper:g)\n"
            "op move(room:from, room:to)\npre move robotAt(from)\nadd move robotAt(to)\ndel move robotAt(from)\n"
            "op pick(ball:b, room:r, gripper:g)\npre pick at(b,r) robotAt(r) free(g)\nadd pick carry(b,g)\n"
            "del pick at(b,r) free(g)\n"
            "op drop(ball:b, room:r, gripper:g)\npre drop carry(b,g) robotAt(r)\nadd drop at(b,r) free(g)\n"
            "del drop carry(b,g)\n";
    text << "init robotAt(roomA) free(left) free(right)";
    for (int i = 0; i < balls; ++i) text << " at(ball" << i << ",roomA)";
    text << "\ngoal";
    for (int i = 0; i < balls; ++i) text << " at(ball" << i << ",roomB)";
    text << "\nbuildInst\n";
    return text.str();
}

std::string blocksProblem(int blocks) {
    std::ostringstream text;
    text << "type block\natom block";
    for (int i = 0; i < blocks; ++i) text << " b" << i;
    text << "\npred on(block:x, block:y)\npred onTable(block:x)\npred clear(block:x)\npred holding(block:x)\n"
            "pred handEmpty()\n"
            "op pickUp(block:x)\npre pickUp clear(x) onTable(x) handEmpty()\nadd pickUp holding(x)\n"
            "del pickUp clear(x) onTable(x) handEmpty()\n"
            "op putDown(block:x)\npre putDown holding(x)\nadd putDown clear(x) onTable(x) handEmpty()\n"
            "del putDown holding(x)\n"
            "op stack(block:x, block:y)\npre stack holding(x) clear(y)\nadd stack on(x,y) clear(x) handEmpty()\n"
            "del stack holding(x) clear(y)\n"
            "op unstack(block:x, block:y)\npre unstack on(x,y) clear(x) handEmpty()\n"
            "add unstack holding(x) clear(y)\ndel unstack on(x,y) clear(x) handEmpty()\n";
    text << "init handEmpty() onTable(b0) clear(b" << blocks - 1 << ")";
    for (int i = 1; i < blocks; ++i) text << " on(b" << i << ",b" << i - 1 << ")";
    text << "\ngoal onTable(b" << blocks - 1 << ")";
    for (int i = blocks - 1; i > 0; --i) text << " on(b" << i - 1 << ",b" << i << ")";
    text << "\nbuildInst\n";
    return text.str();
}

std::string logisticsProblem(int packages) {
    std::ostringstream text;
    text << "type package vehicle place\nderived vehicle truck airplane\n"
            "atom place depotA airportA depotB airportB\natom truck truckA truckB\natom airplane plane\n";
    for (int i = 0; i < packages; ++i) text << "atom package p" << i << "\n";
    text << "pred at(package:p, place:l)\npred in(package:p, any:v)\npred vehicleAt(any:v, place:l)\n"
            "op load(package:p, vehicle:v, place:l)\npre load at(p,l) vehicleAt(v,l)\nadd load in(p,v)\n"
            "del load at(p,l)\n"
            "op unload(package:p, vehicle:v, place:l)\npre unload in(p,v) vehicleAt(v,l)\nadd unload at(p,l)\n"
            "del unload in(p,v)\n"
            "op drive(truck:t, place:from, place:to)\npre drive vehicleAt(t,from)\nadd drive vehicleAt(t,to)\n"
            "del drive vehicleAt(t,from)\n"
            "condconst drive eq(t truckA) => eq(from depotA airportA) eq(to depotA airportA)\n"
            "condconst drive eq(t truckB) => eq(from depotB airportB) eq(to depotB airportB)\n"
            "op fly(airplane:a, place:from, place:to)\npre fly vehicleAt(a,from)\nadd fly vehicleAt(a,to)\n"
            "del fly vehicleAt(a,from)\nconst fly eq(from airportA airportB) eq(to airportA airportB)\n";
    text << "init vehicleAt(truckA,depotA) vehicleAt(truckB,depotB) vehicleAt(plane,airportA)";
    for (int i = 0; i < packages; ++i) text << " at(p" << i << "," << (i % 2 ? "depotB" : "depotA") << ")";
    text << "\ngoal";
    for (int i = 0; i < packages; ++i) text << " at(p" << i << "," << (i % 2 ? "depotA" : "depotB") << ")";
    text << "\nbuildInst\n";
    return text.str();
}

std::vector<std::string> standardProblems(const std::string& family) {
    std::vector<std::string> files;
    const std::filesystem::path folder = std::filesystem::path(VEXMOLDA_SOURCE_DIR) / "bench" / "domains" / family;
    if (!std::filesystem::exists(folder)) return files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

Session& benchSession() {
    static Session session;
    return session;
}

void loadProblemText(const std::string& text) {
    Session& session = benchSession();
    // Each problem starts with the switches a new program has: files toggle them.
    session.switches = Switches{};
    wipe(session);
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) executeLine(session, line);
}

void loadProblemFile(const std::string& path) {
    benchSession().messages.clear();
    benchSession().switches = Switches{};
    loadFile(benchSession(), path);
}

std::unique_ptr<SolveResult> solveInBenchSession(const std::string& solverName, std::int32_t limit) {
    Session& session = benchSession();
    const SolveTask task{session.model.facts, session.instances, session.model.initState, session.model.goalState,
                         limit, session.logging()};
    SolveContext context{*session.control, session.random};
    session.control->begin();
    return runSolve(solverName, task, context);
}

}  // namespace vexmolda::bench

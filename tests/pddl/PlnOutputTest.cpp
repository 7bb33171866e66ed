#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "PddlTestSupport.h"
#include "command/Session.h"
#include "command/LoadFile.h"
#include "command/Report.h"
#include "domain/Atom.h"
#include "pddl/PddlLoader.h"
#include "pddl/PlnWriter.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::session;

Model& model() { return session().model; }

using testing::pddlData;

std::vector<std::string> fileLines(const std::string& path) {
    std::istringstream text(testing::fileText(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
}

TEST(PlnLineSplitting, DeclarationListsAreSplitWithTheirPrefixRepeated) {
    std::vector<std::string> pieces;
    ASSERT_TRUE(splitPlnLine("type a b", pieces));
    EXPECT_EQ(pieces, std::vector<std::string>{"type a b"});

    std::string atoms = "atom place";
    for (int i = 0; i < 40; ++i) atoms += " location-" + std::to_string(i);
    pieces.clear();
    ASSERT_TRUE(splitPlnLine(atoms, pieces));
    ASSERT_GT(pieces.size(), 1u);
    std::string joined = "atom place";
    for (const std::string& piece : pieces) {
        EXPECT_LE(piece.size(), maxPlnLineBytes);
        ASSERT_EQ(piece.rfind("atom place ", 0), 0u) << piece;
        joined += piece.substr(std::string("atom place").size());
    }
    EXPECT_EQ(joined, atoms);

    std::string derived = "derived base";
    for (int i = 0; i < 40; ++i) derived += " kind-" + std::to_string(i);
    pieces.clear();
    ASSERT_TRUE(splitPlnLine(derived, pieces));
    for (const std::string& piece : pieces) EXPECT_EQ(piece.rfind("derived base ", 0), 0u);
}

TEST(PlnLineSplitting, OtherLinesAndNamesTooLongForAnyLineAreRefused) {
    std::string init = "init";
    for (int i = 0; i < 40; ++i) init += " at(a" + std::to_string(i) + ",b)";
    std::vector<std::string> pieces;
    EXPECT_FALSE(splitPlnLine(init, pieces));
    EXPECT_FALSE(splitPlnLine("atom t " + std::string(250, 'x'), pieces));
    EXPECT_FALSE(splitPlnLine("pre op " + std::string(250, 'x'), pieces));
}

// Many long object and type names: the atom and derived lines must be split.
std::string crowdedDomain() {
    std::string types;
    for (int i = 0; i < 30; ++i) types += " kind-of-location-" + std::to_string(i);
    return "(define (domain crowded) (:requirements :typing)\n (:types" + types +
           " - place)\n (:predicates (at ?p - place) (visited ?p - place))\n"
           " (:action go :parameters (?from ?to - place) :precondition (at ?from)\n"
           "  :effect (and (not (at ?from)) (at ?to) (visited ?to))))\n";
}

std::string crowdedProblem(int goals) {
    std::string objects;
    for (int i = 0; i < 40; ++i) objects += " location-number-" + std::to_string(i);
    std::string goal;
    for (int i = 0; i < goals; ++i) goal += " (visited location-number-" + std::to_string(i) + ")";
    return "(define (problem crowded) (:domain crowded)\n (:objects" + objects +
           " - kind-of-location-7)\n (:init (at location-number-0))\n (:goal (and" + goal + ")))\n";
}

TEST(PlnOutput, LongDeclarationsAreSplitAndTheFileLoadsToTheSameReport) {
    const testing::TaskFiles files = testing::writeTask(crowdedDomain(), crowdedProblem(2));
    const std::string pln = testing::writeTempFile("crowded.pln", "");
    testing::freshSession();
    ASSERT_TRUE(loadPddl(session(), files.domain, files.problem, pln)) << testing::messageText();
    EXPECT_EQ(testing::messageText(), "");
    const std::string direct = reportText(session());
    const auto lines = fileLines(pln);
    ASSERT_FALSE(lines.empty());
    int atomLines = 0;
    for (const std::string& line : lines) {
        EXPECT_LE(line.size() + 1, 254u) << line;
        if (line.rfind("atom ", 0) == 0) ++atomLines;
    }
    EXPECT_GT(atomLines, 1);
    testing::freshSession();
    loadFile(session(), pln);
    EXPECT_EQ(reportText(session()), direct);
    EXPECT_EQ(model().atoms.size(), 40u);
}

TEST(PlnOutput, ALineThatCannotBeSplitWritesNoFileButTheTaskIsStillLoaded) {
    const testing::TaskFiles files = testing::writeTask(crowdedDomain(), crowdedProblem(30));
    const std::string pln = testing::writeTempFile("never.pln", "");
    std::filesystem::remove(pln);
    testing::freshSession();
    EXPECT_FALSE(loadPddl(session(), files.domain, files.problem, pln));
    EXPECT_FALSE(std::filesystem::exists(pln));
    const std::string message = testing::messageText();
    EXPECT_NE(message.find("File \"" + pln + "\" not written: "), std::string::npos) << message;
    EXPECT_NE(message.find("\"goal visited("), std::string::npos) << message;
    EXPECT_EQ(model().atoms.size(), 40u);
}

TEST(PlnOutput, RoundTripThroughTheBatchProgramGivesTheSameReport) {
    for (const auto& [domain, problem] : std::vector<std::pair<std::string, std::string>>{
             {"gripper/domain.pddl", "gripper/prob01.pddl"},
             {"blocks/domain.pddl", "blocks/probBLOCKS-4-0.pddl"},
         }) {
        SCOPED_TRACE(problem);
        const std::string pln = testing::writeTempFile("task.pln", "");
        const auto direct =
            testing::runBatchProgram({"--pddl-out", pln, "--pddl", pddlData(domain), pddlData(problem), "-c", "solve a*"});
        EXPECT_EQ(direct.status, 0) << direct.output;
        const auto reloaded = testing::runBatchProgram({pln, "-c", "solve a*"});
        EXPECT_EQ(reloaded.status, 0);
        // The timing line differs from run to run; everything before it must not.
        const auto untimed = [](const std::string& report) { return report.substr(0, report.find(" - required ")); };
        EXPECT_NE(direct.output.find("\nThe plan: \n"), std::string::npos);
        EXPECT_EQ(untimed(direct.output), untimed(reloaded.output));
    }
}

TEST(PlnOutput, TooLongForTheFileIsAFailedRunOfTheBatchProgram) {
    const std::string pln = testing::writeTempFile("logistics.pln", "");
    std::filesystem::remove(pln);
    const auto result = testing::runBatchProgram({"--pddl-out", pln, "--pddl", pddlData("logistics00/domain.pddl"),
                                                  pddlData("logistics00/probLOGISTICS-4-0.pddl")});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("not written: "), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(pln));
    // The task itself was loaded.
    EXPECT_NE(result.output.find("object:obj11"), std::string::npos);
}

}  // namespace
}  // namespace vexmolda

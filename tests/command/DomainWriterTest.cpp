#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "command/Execute.h"
#include "command/LoadFile.h"
#include "command/Report.h"
#include "command/Session.h"
#include "pddl/PddlTestSupport.h"
#include "support/RandomDomain.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::messageText;
using testing::runLines;
using testing::session;

std::vector<std::string> fileLines(const std::string& path) {
    std::vector<std::string> lines;
    std::istringstream text(testing::fileText(path));
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
}

// The report from "Types:" to the instances, and the switches line: what a
// saved file must give back (the log, the plan and the messages excepted).
std::string savedPart(const std::string& report) {
    std::size_t end = report.size();
    for (const char* next : {"\nLog:\n", "\nThe plan: \n", "\nLogging: "}) end = std::min(end, report.find(next));
    const std::size_t switches = report.find("\nLogging: ");
    return report.substr(0, end) + report.substr(switches, report.find('\n', switches + 1) - switches);
}

// Saves, spoils the switches and the domain, loads the file back: the same part.
void expectRoundTrip(const std::string& what) {
    SCOPED_TRACE(what);
    const std::string before = savedPart(reportText(session()));
    const std::string directory = std::filesystem::path(testing::writeTempFile("x", "")).parent_path();
    session().messages.clear();
    executeLine(session(), "save " + directory + "/saved");
    const std::string path = directory + "/saved.pln";
    ASSERT_EQ(messageText(), "Saved \"" + path + "\"\n");
    runLines({"noDups", "ignConst", "filterReds", "log", "showInst", "wipe", "type leftover"});
    loadFile(session(), path);
    EXPECT_EQ(savedPart(reportText(session())), before);
    for (const std::string& line : fileLines(path)) EXPECT_LE(line.size() + 1, 254u) << line;
}

TEST(Save, ExamplesBenchmarksAndRandomDomainsLoadBackToTheSameReport) {
    std::vector<std::string> files;
    for (const char* directory : {"examples", "tests/data/domains", "bench/domains"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(testing::sourcePath(directory))) {
            if (entry.path().extension() == ".pln") files.push_back(entry.path());
        }
    }
    ASSERT_GE(files.size(), 10u);
    for (const std::string& file : files) {
        freshSession();
        loadFile(session(), file);
        expectRoundTrip(file);
    }
    std::uint32_t seed = 2024;
    for (int i = 0; i < 25; ++i) {
        freshSession();
        runLines(testing::randomDomain(seed, {12, 6, 30, 25, 25, 50, 30}));
        // Built with redundant operations filtered, saved with them allowed.
        if (i % 2 == 1) runLines({"filterReds"});
        expectRoundTrip("random domain " + std::to_string(i));
    }
    // A full build, then one more instance that a switch let through.
    freshSession();
    loadFile(session(), testing::sourcePath("examples/rocket.pln"));
    runLines({"noDups", "instance fly r paris paris", "ignConst"});
    expectRoundTrip("rocket with one more instance");
    // Operations without parameters have no "instance" line: the build is
    // written under the switches it was made with.
    freshSession();
    runLines({"pred f()", "op same()", "add same f", "op twin()", "add twin f", "buildInst", "filterReds"});
    expectRoundTrip("twins built with redundant operations filtered");
    // Every kind of line, with instances that "buildInst" would not make now.
    freshSession();
    runLines({"pred late",
              "type place thing",
              "pred late(place:p)",
              "derived thing cargo",
              "derived cargo parcel",
              "atom parcel p2",
              "atom place b a",
              "atom cargo c",
              "pred at(any:t, place:p)",
              "pred marked()",
              "op move(thing:t, place:from, place:to)",
              "add move at(t,to) marked",
              "pre move at(t,from) at(c,a)",
              "del move at(t,from)",
              "const move ~eq(from to b)",
              "condconst move one is(t cargo) in(t p2) => ~in(to a)",
              "op rest(any:x)",
              "pre rest marked",
              "init marked at(c,b) at(c,a)",
              "goal at(p2,a)",
              "noDups",
              "instance move c a a",
              "ignConst",
              "instance move c b b",
              "instance rest c",
              "log",
              "showInst"});
    expectRoundTrip("hand-made domain");
}

TEST(Save, InstancesBuiltBeforeTheDomainChangedAreWrittenAsTheyAre) {
    // Each change after the build makes "buildInst" give other instances:
    // more objects, a constraint, an operation, sets that make some redundant.
    const std::vector<std::vector<std::string>> changes = {
        {"atom cargo d"},
        {"const fly ~eq(to paris)"},
        {"op wait(rocket:r)"},
        {"pre unload inside(c,r)", "buildInst", "add unload inside(c,r)"},
        {"add unload inside(c,r)", "buildInst", "pre unload inside(c,r)"},
        {"pre unload inside(c,r)", "add unload inside(c,r)", "del unload at(c,p)", "buildInst",
         "del unload inside(c,r)"},
    };
    for (const std::vector<std::string>& lines : changes) {
        freshSession();
        loadFile(session(), testing::sourcePath("examples/rocket.pln"));
        runLines(lines);
        expectRoundTrip(lines.back());
        const std::size_t loaded = session().instances.size();
        runLines({"buildInst"});
        EXPECT_NE(session().instances.size(), loaded) << lines.back() << ": the change left the build as it was";
    }
}

TEST(Save, ALineThatCannotFitOrAPathThatCannotBeWrittenLeavesNoFile) {
    freshSession();
    std::string init = "init";
    std::vector<std::string> lines = {"type t", "pred located(t:x)"};
    for (int i = 0; i < 30; ++i) {
        lines.push_back("atom t object-number-" + std::to_string(i));
        init += " located(object-number-" + std::to_string(i) + ")";
    }
    lines.push_back(init);
    runLines(lines);
    const std::string path = testing::writeTempFile("kept.pln", "type kept\n");
    const std::string directory = std::filesystem::path(path).parent_path();
    session().messages.clear();
    executeLine(session(), "save " + directory + "/kept");
    EXPECT_EQ(messageText(),
              "File \"" + path + "\" not written: line of " + std::to_string(init.size() - 29) +
                  " bytes cannot be split to fit 254 bytes: \"init located(object-number-0)located(obj...\"\n");
    EXPECT_EQ(testing::fileText(path), "type kept\n");

    runLines({"init"});
    std::filesystem::create_directory(directory + "/taken.pln");
    const std::vector<std::pair<std::string, std::string>> unwritable = {
        {"/nonexistent/directory/x", "No such file or directory"}, {directory + "/taken", "Is a directory"}};
    for (const auto& [target, reason] : unwritable) {
        session().messages.clear();
        executeLine(session(), "save " + target);
        EXPECT_EQ(messageText(), "File \"" + target + ".pln\" not written: cannot be written: " + reason + "\n");
    }
    // No file and no temporary left behind.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory)) ++entries;
    EXPECT_EQ(entries, 2u);
}

}  // namespace
}  // namespace vexmolda

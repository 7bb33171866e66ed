#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "pddl/PddlTestSupport.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::runBatchProgram;

TEST(BatchRunner, ArgumentsRunInOrderAndMessagesAccumulate) {
    const auto result = runBatchProgram({"-c", "bogus", "-c", "type a", "-c", "type a"});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.output.find("Types: a\n"), std::string::npos);
    EXPECT_NE(result.output.find("\nUnknown command or not enough parameters\na already exists\n\n"),
              std::string::npos);
}

TEST(BatchRunner, FilesAreLoadedWithoutTheExtensionRule) {
    const std::string path = testing::writeTempFile("noext", "type fromfile\n");
    const auto result = runBatchProgram({path, "-c", "type more"});
    EXPECT_NE(result.output.find("Types: any, fromfile, more\n"), std::string::npos);
    const auto missing = runBatchProgram({"/nonexistent/x"});
    EXPECT_NE(missing.output.find("File \"/nonexistent/x\" not found\n"), std::string::npos);
}

TEST(BatchRunner, UsageAndBadArguments) {
    const auto help = runBatchProgram({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("usage: vexmolda-batch"), std::string::npos);
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"-x"}, {"-c"}, {"-c", "type a", "-c"}}) {
        const auto result = runBatchProgram(bad);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.output.find("Types:"), std::string::npos);  // nothing ran
        EXPECT_NE(result.output.find("usage:"), std::string::npos);
    }
}

TEST(BatchRunner, QuitEndsAtOnceWithoutAReport) {
    for (const char* word : {"q", "quit", "exit"}) {
        const auto result = runBatchProgram({"-c", "type a", "-c", word, "-c", "type b"});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.output, "");
    }
}

std::string pddlData(const std::string& relative) { return testing::sourcePath("tests/data/pddl/" + relative); }

TEST(BatchRunner, PddlRunsInArgumentOrderWithTheOtherArguments) {
    const auto result = runBatchProgram({"-c", "type early", "--pddl", pddlData("blocks/domain.pddl"),
                                         pddlData("blocks/probBLOCKS-4-0.pddl"), "-c", "type late"});
    EXPECT_EQ(result.status, 0);
    // The PDDL load wiped "early"; "late" came after it.
    EXPECT_NE(result.output.find("Types: any, late, object\n"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("object:d"), std::string::npos);
    // The instances are built as part of the load.
    EXPECT_NE(result.output.find("stack(any:x, any:y) - (16 instances)"), std::string::npos) << result.output;
}

TEST(BatchRunner, PlanOutWithoutAPlanIsAFailedRun) {
    const std::string planFile = testing::writeTempFile("plan.txt", "");
    std::filesystem::remove(planFile);
    const auto result = runBatchProgram({"-c", "type a", "--plan-out", planFile});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("No plan to write to \"" + planFile + "\"\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(planFile));
    const auto unwritable = runBatchProgram({"--pddl", pddlData("blocks/domain.pddl"),
                                             pddlData("blocks/probBLOCKS-4-0.pddl"), "-c", "solve a*",
                                             "--plan-out", "/nonexistent/dir/plan.txt"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.output.find("File \"/nonexistent/dir/plan.txt\" cannot be written\n"), std::string::npos);
}

TEST(BatchRunner, PddlOutWithoutAPddlTaskIsAFailedRun) {
    const auto result = runBatchProgram({"--pddl-out", "/nonexistent/x.pln", "-c", "type a"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("No PDDL task to save to \"/nonexistent/x.pln\"\n"), std::string::npos);
    EXPECT_NE(result.output.find("Types: a\n"), std::string::npos);
}

TEST(BatchRunner, PlanOutIsWrittenAfterTheLastArgument) {
    const std::string planFile = testing::writeTempFile("plan.txt", "");
    // The first solve fails after the plan option; the plan of the second is the one written.
    const auto result = runBatchProgram({"--plan-out", planFile, "--pddl", pddlData("blocks/domain.pddl"),
                                         pddlData("blocks/probBLOCKS-4-0.pddl"), "-c", "solve nosuch", "-c",
                                         "solve a*"});
    EXPECT_EQ(result.status, 0);
    std::ifstream in(planFile);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first.front(), '(');
    EXPECT_NE(result.output.find("Unknown solver\n"), std::string::npos);
}

// The output without its timing lines, which differ from run to run.
std::string withoutTimings(const std::string& output) {
    std::istringstream lines(output);
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(" - required ", 0) != 0) kept += line + "\n";
    }
    return kept;
}

std::vector<std::string> withPlanOut(std::vector<std::string> arguments, const std::string& planFile) {
    arguments.insert(arguments.end(), {"--plan-out", planFile});
    return arguments;
}

TEST(BatchRunner, PlanOutWritesOnlyWhatASuccessfulSolveFound) {
    const std::string examples = testing::sourcePath("examples");
    const std::string planFile = testing::writeTempFile("plan.txt", "");
    std::filesystem::remove(planFile);
    // rocket.pln ends with a successful "solve graph"; the island run after it stops short of the goal.
    const std::vector<std::string> unsolved = {"rocket.pln", "-c", "solve inselol"};
    const auto plain = runBatchProgram(unsolved, examples);
    ASSERT_NE(plain.output.find("Solution not found"), std::string::npos) << plain.output;
    const auto failed = runBatchProgram(withPlanOut(unsolved, planFile), examples);
    EXPECT_EQ(failed.status, 1);
    EXPECT_FALSE(std::filesystem::exists(planFile));
    // The report still shows the steps the run made, and one message says why there is no file.
    const std::string message = "No plan written to \"" + planFile + "\": solution not found\n";
    const std::size_t at = failed.output.find(message);
    ASSERT_NE(at, std::string::npos) << failed.output;
    EXPECT_NE(plain.output.find("\nThe plan: \nfly(r,london,paris)\n"), std::string::npos) << plain.output;
    EXPECT_EQ(withoutTimings(failed.output.substr(0, at) + failed.output.substr(at + message.size())),
              withoutTimings(plain.output));

    // The goal holds at the start: a* succeeds with no steps, written as the other solvers' empty plans are.
    const std::vector<std::string> solved = {"-c", "type t", "-c", "atom t a", "-c", "pred p(t:x)", "-c", "init p(a)",
                                             "-c", "goal p(a)", "-c", "solve a*"};
    const auto before = runBatchProgram(solved);
    const auto written = runBatchProgram(withPlanOut(solved, planFile));
    EXPECT_EQ(written.status, 0) << written.output;
    EXPECT_EQ(testing::fileText(planFile), "; cost = 0 (unit cost)\n");
    EXPECT_EQ(withoutTimings(written.output), withoutTimings(before.output));
}

TEST(BatchRunner, AFileThatCannotBeLoadedFailsTheRunAfterTheOtherArguments) {
    const std::string good = testing::writeTempFile("good.pln", "type fromfile\n");
    const auto alone = runBatchProgram({good});
    EXPECT_EQ(alone.status, 0);
    const auto typo = runBatchProgram({"typo.pln", good});
    EXPECT_EQ(typo.status, 1);
    EXPECT_NE(typo.output.find("Types: any, fromfile\n"), std::string::npos) << typo.output;
    EXPECT_NE(typo.output.find("File \"typo.pln\" not found\n"), std::string::npos);
    // A directory is refused as such and leaves the domain loaded before it.
    const std::string directory = std::filesystem::path(good).parent_path().string();
    const auto folder = runBatchProgram({good, directory});
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.output.find("Types: any, fromfile\n"), std::string::npos) << folder.output;
    EXPECT_NE(folder.output.find("File \"" + directory + "\" is a directory\n"), std::string::npos);
    const auto pddl = runBatchProgram({"--pddl", directory, pddlData("blocks/probBLOCKS-4-0.pddl")});
    EXPECT_EQ(pddl.status, 1);
    EXPECT_NE(pddl.output.find("File \"" + directory + "\" is a directory\n"), std::string::npos) << pddl.output;
}

TEST(BatchRunner, PddlOptionsNeedTheirValues) {
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--pddl"}, {"--pddl", "d.pddl"}, {"--pddl-out"}, {"--plan-out"},
          {"-c", "type a", "--plan-out"}}) {
        const auto result = runBatchProgram(bad);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.output.find("Types:"), std::string::npos);
        EXPECT_NE(result.output.find("--pddl DOMAIN PROBLEM"), std::string::npos);
    }
}

}  // namespace
}  // namespace vexmolda

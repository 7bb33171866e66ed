#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vexmolda

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "command/Execute.h"
#include "command/LoadFile.h"
#include "command/Session.h"
#include "solvers/Plan.h"
#include "solvers/StateOperations.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

std::vector<std::string> exampleFiles() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(testing::sourcePath("examples"))) {
        if (entry.path().extension() == ".pln") files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(Examples, LoadCleanlyWithinTheLineLimitAndSolveWithAStar) {
    const auto files = exampleFiles();
    ASSERT_GE(files.size(), 4u);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        std::ifstream in(file);
        for (std::string line; std::getline(in, line);) EXPECT_LE(line.size() + 1, 254u);
        testing::freshSession();
        // Load without the trailing solver lines' output mattering.
        Session& session = testing::session();
        loadFile(session, file);
        EXPECT_EQ(session.messages.text().find("Type"), std::string::npos) << session.messages.text();
        EXPECT_EQ(session.messages.text().find("exist"), std::string::npos) << session.messages.text();
        executeLine(session, "solve a*");
        ASSERT_NE(session.currentPlan, nullptr);
        State reached = session.model.initState;
        for (const OperationInstance* step : session.currentPlan->steps) applyInstance(reached, *step);
        EXPECT_TRUE(goalsHold(reached, session.model.goalState));
    }
}

}  // namespace
}  // namespace vexmolda

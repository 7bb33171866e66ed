#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "command/StartupFile.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

namespace fs = std::filesystem;

// The window program's two start-up files: the working directory wins, then
// the data of the prefix the executable is in, wherever that prefix was moved.
TEST(StartupFile, WorkingDirectoryFirstThenTheInstalledDataBesideTheExecutable) {
    const fs::path root = fs::path(testing::writeTempFile("unused", "")).parent_path();
    const fs::path workingDirectory = root / "work";
    const fs::path prefix = root / "prefix";
    fs::create_directories(workingDirectory);
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share/vexmolda/examples");
    std::ofstream(prefix / "share/vexmolda/examples/rocket.pln") << "type installed\n";
    std::ofstream(prefix / "share/vexmolda/verdanasmall.glf") << "font";

    const auto locate = [&](const std::string& name, const std::string& installed, const fs::path& executable) {
        return locateStartupFile(name, installed, workingDirectory, executable);
    };
    EXPECT_EQ(fs::weakly_canonical(locate("rocket.pln", "examples/rocket.pln", prefix / "bin/vexmolda")),
              fs::weakly_canonical(prefix / "share/vexmolda/examples/rocket.pln"));
    EXPECT_EQ(fs::weakly_canonical(locate("verdanasmall.glf", "verdanasmall.glf", prefix / "bin/vexmolda")),
              fs::weakly_canonical(prefix / "share/vexmolda/verdanasmall.glf"));

    // A prefix moved as a whole: found from the executable's new place, not a built-in path.
    const fs::path moved = root / "moved";
    fs::rename(prefix, moved);
    EXPECT_EQ(fs::weakly_canonical(locate("rocket.pln", "examples/rocket.pln", moved / "bin/vexmolda")),
              fs::weakly_canonical(moved / "share/vexmolda/examples/rocket.pln"));

    // Found nowhere (a build tree, an unknown executable): the plain name, for
    // the usual not-found message. A directory of that name is no font file.
    EXPECT_EQ(locate("rocket.pln", "examples/rocket.pln", prefix / "bin/vexmolda"), "rocket.pln");
    EXPECT_EQ(locate("rocket.pln", "examples/rocket.pln", ""), "rocket.pln");
    EXPECT_EQ(locate("rocket.pln", "examples", moved / "bin/vexmolda"), "rocket.pln");

    // A file in the working directory wins, found under its plain name.
    std::ofstream(workingDirectory / "rocket.pln") << "type local\n";
    EXPECT_EQ(locate("rocket.pln", "examples/rocket.pln", moved / "bin/vexmolda"), "rocket.pln");
    EXPECT_EQ(fs::weakly_canonical(locate("verdanasmall.glf", "verdanasmall.glf", moved / "bin/vexmolda")),
              fs::weakly_canonical(moved / "share/vexmolda/verdanasmall.glf"));

    // This process is a real executable in a build tree.
    EXPECT_TRUE(fs::is_regular_file(runningExecutable()));
}

}  // namespace
}  // namespace vexmolda

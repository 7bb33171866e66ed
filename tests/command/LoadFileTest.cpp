#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "command/Execute.h"
#include "command/LoadFile.h"
#include "command/Session.h"
#include "domain/Atom.h"
#include "domain/State.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::messageText;
using testing::runLines;
using testing::session;
using testing::writeTempFile;

TEST(LoadFile, MissingFileKeepsTheDomain) {
    freshSession();
    runLines({"type keep"});
    loadFile(session(), "/nonexistent/dir/x.pln");
    EXPECT_NE(session().model.findType("keep"), nullptr);
    EXPECT_EQ(messageText(), "File \"/nonexistent/dir/x.pln\" not found\n");
}

TEST(LoadFile, EmptyFileWipesButADirectoryOrAnUnreadableFileKeepsTheDomain) {
    freshSession();
    runLines({"type gone"});
    loadFile(session(), writeTempFile("empty.pln", ""));
    EXPECT_EQ(session().model.findType("gone"), nullptr);
    EXPECT_EQ(messageText(), "");

    // "file d" where d.pln is a directory: refused like a missing file, not read as an empty one.
    const std::filesystem::path directory = std::filesystem::path(writeTempFile("x", "")).parent_path() / "d.pln";
    std::filesystem::create_directory(directory);
    runLines({"type keep", "file " + (directory.parent_path() / "d").string()});
    EXPECT_NE(session().model.findType("keep"), nullptr);
    EXPECT_EQ(messageText(), "File \"" + directory.string() + "\" is a directory\n");

    // A file without read permission; root reads any file but a write-only system setting.
    std::string unreadable = writeTempFile("x.pln", "type never\n");
    std::filesystem::permissions(unreadable, std::filesystem::perms::none);
    if (geteuid() == 0) unreadable = "/proc/sys/vm/drop_caches";
    if (std::FILE* file = std::fopen(unreadable.c_str(), "r")) {
        std::fclose(file);
        GTEST_SKIP() << "no file here that this user cannot read";
    }
    session().messages.clear();
    EXPECT_EQ(loadFile(session(), unreadable), LoadResult::notLoaded);
    EXPECT_NE(session().model.findType("keep"), nullptr);
    EXPECT_EQ(messageText(), "File \"" + unreadable + "\" cannot be read: Permission denied\n");
}

TEST(LoadFile, LinesAreCutAt254Bytes) {
    freshSession();
    // "type " + 249 bytes of name = 254 bytes; the rest is a line of its own.
    const std::string first(249, 'a');
    const std::string line = "type " + first + "type tail";
    ASSERT_EQ(line.size(), 263u);
    loadFile(session(), writeTempFile("long.pln", line + "\n"));
    EXPECT_NE(session().model.findType(first), nullptr);
    EXPECT_NE(session().model.findType("tail"), nullptr);

    // 300 bytes: 254 and 46.
    freshSession();
    const std::string name300(295, 'b');
    loadFile(session(), writeTempFile("long300.pln", "type " + name300 + "\n"));
    EXPECT_NE(session().model.findType(std::string(249, 'b')), nullptr);
    EXPECT_EQ(messageText(), "Unknown command or not enough parameters\n");
}

TEST(LoadFile, CarriageReturnBeforeNewlineIsDropped) {
    freshSession();
    loadFile(session(), writeTempFile("crlf.pln", "type a\r\ntype b\rc\n"));
    EXPECT_NE(session().model.findType("a"), nullptr);
    EXPECT_NE(session().model.findType("b\rc"), nullptr);
}

TEST(LoadFile, LastLineWithoutNewlineRuns) {
    freshSession();
    loadFile(session(), writeTempFile("nonl.pln", "type a\ntype b"));
    EXPECT_NE(session().model.findType("b"), nullptr);
}

TEST(LoadFile, InitLinesReplaceEachOther) {
    freshSession();
    loadFile(session(), writeTempFile("init.pln", "type t\natom t a b\npred p(t:x)\ninit p(a)\ninit p(b)\n"));
    EXPECT_EQ(stateText(session().model.initState), "p(b)\n");
}

TEST(LoadFile, NestedFilesWipeAndTheOuterGoesOn) {
    freshSession();
    const std::string inner = writeTempFile("inner.pln", "type inner\n");
    loadFile(session(), writeTempFile("outer.pln", "type outer\nfile " + inner + "\ntype after\n"));
    EXPECT_EQ(session().model.findType("outer"), nullptr);
    EXPECT_NE(session().model.findType("inner"), nullptr);
    EXPECT_NE(session().model.findType("after"), nullptr);
}

TEST(LoadFile, AFileThatLoadsItselfIsRefused) {
    freshSession();
    const std::string path = writeTempFile("self.pln", "");
    {
        std::FILE* file = std::fopen(path.c_str(), "w");
        std::fprintf(file, "type before\nfile %s\ntype after\n", path.c_str());
        std::fclose(file);
    }
    loadFile(session(), path);
    EXPECT_NE(session().model.findType("before"), nullptr);
    EXPECT_NE(session().model.findType("after"), nullptr);
    EXPECT_EQ(messageText(), "File \"" + path + "\" is already being loaded\n");
}

TEST(LoadFile, DeepNestingStopsAt64) {
    freshSession();
    // 70 files, each loading the next.
    std::vector<std::string> paths;
    for (int i = 0; i < 70; ++i) paths.push_back(writeTempFile("n" + std::to_string(i) + ".pln", ""));
    for (int i = 0; i < 70; ++i) {
        std::FILE* file = std::fopen(paths[i].c_str(), "w");
        if (i + 1 < 70) std::fprintf(file, "type t%d\nfile %s\n", i, paths[i + 1].c_str());
        std::fclose(file);
    }
    loadFile(session(), paths[0]);
    EXPECT_EQ(messageText(), "File \"" + paths[64] + "\" nested too deeply\n");
    EXPECT_NE(session().model.findType("t63"), nullptr);
    EXPECT_EQ(session().model.findType("t62"), nullptr);
}

}  // namespace
}  // namespace vexmolda

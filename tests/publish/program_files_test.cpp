#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "publish/app_folders.h"
#include "publish/program_files.h"
#include "publish/publish_fixture.h"

namespace zarvex::testing {
namespace {

namespace fs = std::filesystem;

using ProgramFilesTest = PublishFixture;

TEST_F(ProgramFilesTest, ScratchFirstThenShippedData) {
    UseSeparateScratchFolder();
    const AppFolders& f = agent_.Folders();
    EXPECT_EQ(ProgramFilePath(f, "velmo.js"), f.dataFolder + "velmo.js");
    WriteFile(scratch_ / "velmo.js", "scratch");
    EXPECT_EQ(ProgramFilePath(f, "velmo.js"), f.programFolder + "velmo.js");
    EXPECT_EQ(ProgramFilePath(f, "absent.gif"), f.programFolder + "absent.gif");
}

TEST_F(ProgramFilesTest, AWritableDataFolderIsAlsoTheScratchFolder) {
    const AppFolders f = ResolveAppFolders(data_.string());
    EXPECT_EQ(f.dataFolder, data_.string() + "/");
    EXPECT_EQ(f.programFolder, f.dataFolder);
}

TEST_F(ProgramFilesTest, AnUnwritableDataFolderSendsScratchToThePerUserFolder) {
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_DATA_HOME", root_.c_str(), 1);
    const AppFolders f = ResolveAppFolders("/proc");  // not writable, even for root
    if (old) {
        ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
    } else {
        ::unsetenv("XDG_DATA_HOME");
    }
    EXPECT_EQ(f.dataFolder, "/proc/");
    EXPECT_EQ(f.programFolder, (root_ / "zarvex").string() + "/");
    EXPECT_TRUE(fs::is_directory(root_ / "zarvex"));
}

}  // namespace
}  // namespace zarvex::testing

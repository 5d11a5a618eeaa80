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

}  // namespace
}  // namespace zarvex::testing

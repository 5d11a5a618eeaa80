#include <gtest/gtest.h>

#include <filesystem>

#include "model/errors.h"
#include "model/safe_file.h"
#include "support/scratch_folder.h"

namespace zarvex {
namespace {

namespace fs = std::filesystem;

class SafeFileTest : public ::testing::Test {
protected:
    void TearDown() override { SetWriteFaultAfterBytesForTesting(-1); }
    std::size_t FileCount() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }
    testing::ScratchFolder scratch_{"safe"};
    const fs::path& dir_ = scratch_.path();
};

TEST_F(SafeFileTest, ReplacesTheFileWhole) {
    const std::string p = (dir_ / "a.txt").string();
    WriteFileSafely(p, "first\r\n");
    WriteFileSafely(p, "second");
    EXPECT_EQ(ReadWholeFile(p), "second");
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(SafeFileTest, AFailurePartWayKeepsTheOldFileAndLeavesNoTemporary) {
    const std::string p = (dir_ / "a.txt").string();
    WriteFileSafely(p, "old content");
    SetWriteFaultAfterBytesForTesting(5);
    try {
        SafeFileWriter w(p);
        w.WriteLine("0123");
        w.WriteLine("456789");
        w.Commit();
        FAIL() << "the write should have failed";
    } catch (const FileIoError& e) {
        EXPECT_NE(std::string(e.what()).find("a.txt"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("No space"), std::string::npos);
    }
    SetWriteFaultAfterBytesForTesting(-1);
    EXPECT_EQ(ReadWholeFile(p), "old content");
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(SafeFileTest, AnAbandonedWriterLeavesNothing) {
    const std::string p = (dir_ / "b.txt").string();
    {
        SafeFileWriter w(p);
        w.Write("partial");
    }
    EXPECT_FALSE(fs::exists(p));
    EXPECT_EQ(FileCount(), 0u);
}

TEST_F(SafeFileTest, MissingFolderAndMissingFileAreReported) {
    EXPECT_THROW(WriteFileSafely((dir_ / "no" / "such" / "x.txt").string(), "x"), FileIoError);
    EXPECT_THROW(ReadWholeFile((dir_ / "none.txt").string()), FileIoError);
}

}  // namespace
}  // namespace zarvex

#include "settings/recent_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "model/errors.h"
#include "model/file_helpers.h"
#include "model/safe_file.h"
#include "support/scratch_folder.h"

namespace zarvex::recent {
namespace {

class RecentFiles : public ::testing::Test {
  protected:
    void SetUp() override { list_ = (folder_ / kFileName).string(); }
    void WriteList(const std::string& text) { std::ofstream(list_, std::ios::binary) << text; }
    std::string ListText() const { return ReadWholeFile(list_); }

    testing::ScratchFolder scratch_{"recent"};
    const std::filesystem::path& folder_ = scratch_.path();
    std::string list_;
};

TEST_F(RecentFiles, AMissingListIsCreatedEmpty) {
    const Lines lines = ReadLines(list_);
    for (const auto& line : lines)
        EXPECT_TRUE(line.empty());
    EXPECT_TRUE(std::filesystem::exists(list_));
    EXPECT_EQ(ListText(), "");
}

TEST_F(RecentFiles, KeepsTheFourNewestWithTheNewestFirst) {
    for (const char* p : {"A", "B", "C", "D", "E"})
        EXPECT_TRUE(Add(list_, p));
    EXPECT_EQ(ListText(), "&1 E\r\n&2 D\r\n&3 C\r\n&4 B\r\n");
}

TEST_F(RecentFiles, APathAlreadyListedDoesNotMove) {
    Add(list_, "A");
    Add(list_, "B");
    EXPECT_FALSE(Add(list_, "A"));
    EXPECT_EQ(ListText(), "&1 B\r\n&2 A\r\n");
}

TEST_F(RecentFiles, PathsCompareExactly) {
    Add(list_, "C:\\Menus\\a.zarvex");
    Add(list_, "c:\\Menus\\a.zarvex");
    EXPECT_EQ(ListText(), "&1 c:\\Menus\\a.zarvex\r\n&2 C:\\Menus\\a.zarvex\r\n");
}

TEST_F(RecentFiles, EmptySlotsMoveDownLikeTheOthers) {
    WriteList("\r\n&2 X\r\n");
    const Lines lines = ReadLines(list_);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "&2 X");
    Add(list_, "Y");
    EXPECT_EQ(ListText(), "&1 Y\r\n&3 X\r\n");
}

TEST_F(RecentFiles, ReadsOnlyTheFirstFourLinesWhateverTheirEnds) {
    WriteList("&1 a\n&2 b\r&3 c\r\n&4 d\r\n&5 e\r\n");
    const Lines lines = ReadLines(list_);
    EXPECT_EQ(lines[0], "&1 a");
    EXPECT_EQ(lines[1], "&2 b");
    EXPECT_EQ(lines[2], "&3 c");
    EXPECT_EQ(lines[3], "&4 d");
    Add(list_, "n");
    EXPECT_EQ(ListText(), "&1 n\r\n&2 a\r\n&3 b\r\n&4 c\r\n");
}

TEST_F(RecentFiles, ALineShorterThanItsPrefixIsAnEmptySlot) {
    EXPECT_EQ(PathOfLine("&1"), "");
    EXPECT_EQ(PathOfLine("&1 "), "");
    EXPECT_EQ(PathOfLine("&1 /x y"), "/x y");
    WriteList("&1\r\n&2 B\r\n");
    Add(list_, "N");
    EXPECT_EQ(ListText(), "&1 N\r\n&3 B\r\n");
}

TEST_F(RecentFiles, RefusesPathsThatWouldBreakTheLineFormat) {
    Add(list_, "A");
    EXPECT_FALSE(Add(list_, ""));
    EXPECT_FALSE(Add(list_, "two\nlines"));
    EXPECT_FALSE(Add(list_, "cr\rhere"));
    EXPECT_EQ(ListText(), "&1 A\r\n");
}

TEST_F(RecentFiles, AnUnwritableListRaisesAFileError) {
    const std::string insideAFile = list_ + "/nested/" + kFileName;
    WriteList("");
    EXPECT_THROW(Add(insideAFile, "A"), FileIoError);
}

}  // namespace
}  // namespace zarvex::recent

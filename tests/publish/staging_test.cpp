#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "model/errors.h"
#include "model/safe_file.h"
#include "publish/publish_fixture.h"

namespace zarvex::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

using StageFileTest = PublishFixture;

TEST_F(StageFileTest, CopiesUnderTheBareNameAndRecordsEveryAttempt) {
    WriteFile(project_ / "logo.gif", "logo v1");
    agent_.StageFile((project_ / "logo.gif").string());
    agent_.StageFile("C:\\pictures\\logo.gif");  // a path of another system: nothing to copy
    agent_.StageFile((project_ / "missing.gif").string());

    const fs::path preview = agent_.PreviewFolder();
    EXPECT_EQ(FilesIn(preview), (std::set<std::string>{"logo.gif"}));
    EXPECT_EQ(ReadFile(preview / "logo.gif"), "logo v1");
    EXPECT_THAT(agent_.StagedFiles, ElementsAre("logo.gif", "logo.gif", "missing.gif"));
}

TEST_F(StageFileTest, ALaterCopyReplacesAndAFailedOneKeepsTheEarlierCopy) {
    fs::create_directories(project_ / "b");
    WriteFile(project_ / "logo.gif", "first");
    WriteFile(project_ / "b" / "logo.gif", "second");
    agent_.StageFile((project_ / "logo.gif").string());
    agent_.StageFile((project_ / "b" / "logo.gif").string());
    EXPECT_EQ(ReadFile(fs::path(agent_.PreviewFolder()) / "logo.gif"), "second");

    fs::remove(project_ / "b" / "logo.gif");
    agent_.StageFile((project_ / "b" / "logo.gif").string());
    EXPECT_EQ(ReadFile(fs::path(agent_.PreviewFolder()) / "logo.gif"), "second");
    EXPECT_EQ(agent_.StagedFiles.size(), 3u);
}

using ClearPreviewTest = PublishFixture;

TEST_F(ClearPreviewTest, DeletesWhatWasStagedAndRemovesTheFolder) {
    WriteFile(project_ / "a.gif", "a");
    agent_.StageFile((project_ / "a.gif").string());
    agent_.StageFile((project_ / "a.gif").string());
    agent_.ClearPreviewFolder();
    EXPECT_TRUE(agent_.StagedFiles.empty());
    EXPECT_FALSE(fs::exists(agent_.PreviewFolder()));
    EXPECT_TRUE(fs::exists(project_ / "a.gif"));
}

TEST_F(ClearPreviewTest, AForeignFileSurvivesAndKeepsTheFolder) {
    WriteFile(project_ / "a.gif", "a");
    agent_.StageFile((project_ / "a.gif").string());
    WriteFile(fs::path(agent_.PreviewFolder()) / "notes.txt", "mine");
    agent_.ClearPreviewFolder();
    EXPECT_EQ(FilesIn(agent_.PreviewFolder()), (std::set<std::string>{"notes.txt"}));

    // With nothing staged, clearing only tries to remove the folder.
    agent_.ClearPreviewFolder();
    EXPECT_EQ(ReadFile(fs::path(agent_.PreviewFolder()) / "notes.txt"), "mine");
    fs::remove(fs::path(agent_.PreviewFolder()) / "notes.txt");
    agent_.ClearPreviewFolder();
    EXPECT_FALSE(fs::exists(agent_.PreviewFolder()));
}

TEST_F(ClearPreviewTest, NeverDeletesAFolderRecordedUnderAStrangeName) {
    agent_.StageFile((project_ / "..").string());
    agent_.StageFile(project_.string() + "/");
    EXPECT_THAT(agent_.StagedFiles, ElementsAre("..", ""));
    agent_.ClearPreviewFolder();
    EXPECT_TRUE(fs::exists(data_ / "velmo.js"));
    EXPECT_TRUE(fs::exists(project_));
}

using StageLinkedFilesTest = PublishFixture;

TEST_F(StageLinkedFilesTest, StagesInListOrderAndDeletesOnlyFlaggedSources) {
    agent_.LinkedFiles = {{"velmo.js", "js", 0}, {"Mcfg.js", "js", 0}, {"M.css", "css", 1}};
    WriteFile(project_ / "velmo.js", "project velmo");
    WriteFile(project_ / "Mcfg.js", "cfg");
    WriteFile(project_ / "M.css", "css");
    agent_.StageLinkedFiles(project_.string() + "/");

    EXPECT_THAT(agent_.StagedFiles, ElementsAre("velmo.js", "Mcfg.js", "M.css"));
    EXPECT_EQ(ReadFile(fs::path(agent_.PreviewFolder()) / "velmo.js"), "project velmo");
    EXPECT_EQ(FilesIn(project_), (std::set<std::string>{"velmo.js", "Mcfg.js"}));
}

TEST_F(StageLinkedFilesTest, WithSeparateScratchTakesShippedFilesFromTheDataFolderAndKeepsThem) {
    UseSeparateScratchFolder();
    agent_.LinkedFiles = {{"velmo.js", "js", 1}, {"Mcfg.js", "js", 0}, {"M.css", "css", 1}};
    WriteFile(scratch_ / "Mcfg.js", "cfg");
    WriteFile(scratch_ / "M.css", "css");
    agent_.StageLinkedFiles(scratch_.string() + "/");

    const fs::path preview = agent_.PreviewFolder();
    EXPECT_EQ(FilesIn(preview), (std::set<std::string>{"velmo.js", "Mcfg.js", "M.css"}));
    EXPECT_EQ(ReadFile(preview / "velmo.js"), "velmo runtime\r\n");
    EXPECT_TRUE(fs::exists(data_ / "velmo.js")) << "shipped data must never be deleted";
    EXPECT_EQ(FilesIn(scratch_), (std::set<std::string>{"Mcfg.js"}));
}

TEST_F(StageLinkedFilesTest, AScratchCopyWinsOverTheShippedOne) {
    UseSeparateScratchFolder();
    WriteFile(scratch_ / "velmo.js", "patched");
    agent_.LinkedFiles = {{"velmo.js", "js", 0}};
    agent_.StageLinkedFiles(scratch_.string());
    EXPECT_EQ(ReadFile(fs::path(agent_.PreviewFolder()) / "velmo.js"), "patched");
}

using StageResourceFilesTest = PublishFixture;

TEST_F(StageResourceFilesTest, StagesEveryCollectedNameAndSkipsMissingOnesSilently) {
    AddItem(0, "Home", "home.gif");
    AddItem(0, "Blank", "   ");
    AddItem(0, "Again", "home.gif");
    AddItem(0, "Gone", "gone.gif");
    WriteFile(project_ / "home.gif", "home");
    WriteFile(project_ / "arrowr.gif", "project arrow");
    agent_.StageResourceFiles(project_.string() + "/");

    std::vector<std::string> expected = DefaultImageNames();
    expected.insert(expected.end(), {"home.gif", "home.gif", "gone.gif"});
    EXPECT_EQ(agent_.StagedFiles, expected);
    EXPECT_EQ(FilesIn(agent_.PreviewFolder()), (std::set<std::string>{"home.gif", "arrowr.gif"}));
    EXPECT_THAT(progress_.events,
                ElementsAre("max 100", "status Copying Resource Files ... ...", "busy 1", "step 50",
                            "step 50", "pos 0", "status ", "busy 0"));
}

TEST_F(StageResourceFilesTest, FromTheProgramFolderFallsBackToTheDataFolder) {
    UseSeparateScratchFolder();
    AddItem(0, "Tool", "tool.gif");
    WriteFile(scratch_ / "tool.gif", "scratch tool");
    agent_.StageResourceFiles(scratch_.string() + "/");

    std::set<std::string> expected(DefaultImageNames().begin(), DefaultImageNames().end());
    expected.insert("tool.gif");
    EXPECT_EQ(FilesIn(agent_.PreviewFolder()), expected);
    EXPECT_EQ(ReadFile(fs::path(agent_.PreviewFolder()) / "sep.gif"), "data sep.gif");
}

using StagePreviewTest = PublishFixture;

TEST_F(StagePreviewTest, TheDefaultDesignRightAfterStartStagesFourteenEntries) {
    AddItem(0, "Item");
    const std::string page = (root_ / "page.txt").string();
    agent_.BuildCode(page);
    const std::string pageText = ReadFile(page);
    agent_.StagePreview(pageText);

    EXPECT_THAT(agent_.StagedFiles,
                ElementsAre("velmo.js", "MyMenu1cfg.js", "MyMenu1.css", "arrowr.gif", "arrowrh.gif",
                            "sep.gif", "scrollu.gif", "scrolluh.gif", "scrollud.gif", "scrolld.gif",
                            "scrolldh.gif", "scrolldd.gif", "shadow.png", "~preview.html"));
    std::set<std::string> expected(DefaultImageNames().begin(), DefaultImageNames().end());
    expected.insert({"velmo.js", "MyMenu1cfg.js", "MyMenu1.css", "~preview.html"});
    const fs::path preview = agent_.PreviewFolder();
    EXPECT_EQ(FilesIn(preview), expected);
    EXPECT_EQ(ReadFile(preview / "~preview.html"), pageText);

    // The program folder keeps the configuration script but not the stylesheet or the page.
    EXPECT_TRUE(fs::exists(scratch_ / "MyMenu1cfg.js"));
    EXPECT_FALSE(fs::exists(scratch_ / "MyMenu1.css"));
    EXPECT_FALSE(fs::exists(scratch_ / "~preview.html"));

    agent_.ClearPreviewFolder();
    EXPECT_FALSE(fs::exists(preview));
}

TEST_F(StagePreviewTest, APageThatCannotBeWrittenRaisesAndResetsProgress) {
    AddItem(0, "Item");
    agent_.BuildCode((root_ / "page.txt").string());
    // a folder where the page must go
    fs::create_directories(fs::path(agent_.PreviewFolder()) / "~preview.html");
    progress_.events.clear();
    EXPECT_THROW(agent_.StagePreview("<HTML>"), FileIoError);
    ASSERT_FALSE(progress_.events.empty());
    EXPECT_EQ(progress_.events.back(), "busy 0");
}

}  // namespace
}  // namespace zarvex::testing

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "model/errors.h"
#include "model/safe_file.h"
#include "publish/publish_fixture.h"
#include "publish/publish_names.h"

namespace zarvex::testing {
namespace {

namespace fs = std::filesystem;

TEST(PublishBaseNameTest, DropsTheExtensionWithEveryOccurrenceOfIt) {
    EXPECT_EQ(PublishBaseName("menu.zarvex"), "menu");
    EXPECT_EQ(PublishBaseName("menu.ZARVEX"), "menu");
    EXPECT_EQ(PublishBaseName("menu"), "menu");
    EXPECT_EQ(PublishBaseName("my.menu.zarvex"), "my.menu");
    EXPECT_EQ(PublishBaseName("a.Zarvex.b.zarvex"), "a.b");
}

TEST(StaysInsideFolderTest, RefusesAbsoluteNamesAndParentSteps) {
    EXPECT_TRUE(StaysInsideFolder("a.gif"));
    EXPECT_TRUE(StaysInsideFolder("icons/a.gif"));
    EXPECT_TRUE(StaysInsideFolder("..a.gif"));
    EXPECT_FALSE(StaysInsideFolder("../a.gif"));
    EXPECT_FALSE(StaysInsideFolder("icons\\..\\..\\a.gif"));
    EXPECT_FALSE(StaysInsideFolder("/etc/a.gif"));
    EXPECT_FALSE(StaysInsideFolder("C:\\a.gif"));
}

class PublishProjectTest : public PublishFixture {
  protected:
    std::set<std::string> DefaultPublishedFiles(const std::string& base) const {
        std::set<std::string> files(DefaultImageNames().begin(), DefaultImageNames().end());
        files.insert({base + ".html", base + ".zarvex", base + "_PublishReport.txt", "velmo.js",
                      "MyMenu1cfg.js", "MyMenu1.css"});
        return files;
    }
    std::string Folder(const fs::path& p) const { return p.string() + "/"; }
};

TEST_F(PublishProjectTest, ANameWithOrWithoutExtensionPublishesTheSameFiles) {
    AddItem(0, "Item");
    EXPECT_TRUE(agent_.PublishProject(Folder(project_), "menu"));
    const auto first = FilesIn(project_);
    fs::remove_all(project_);
    fs::create_directories(project_);
    EXPECT_TRUE(agent_.PublishProject(Folder(project_), "menu.zarvex"));
    EXPECT_EQ(FilesIn(project_), first);
    EXPECT_EQ(first, DefaultPublishedFiles("menu"));

    fs::remove_all(project_);
    fs::create_directories(project_);
    agent_.PublishProject(Folder(project_), "menu.ZARVEX");
    EXPECT_EQ(FilesIn(project_), DefaultPublishedFiles("menu"));
}

TEST_F(PublishProjectTest, ANewDesignSavedBeforeAnyPreviewStillPublishesItsImages) {
    UseSeparateScratchFolder();
    AddItem(0, "Item");
    agent_.PublishProject(Folder(project_), "menu.zarvex");

    EXPECT_EQ(FilesIn(project_), DefaultPublishedFiles("menu"));
    EXPECT_EQ(ReadFile(project_ / "scrolldd.gif"), "data scrolldd.gif");
    EXPECT_EQ(ReadFile(project_ / "velmo.js"), "velmo runtime\r\n");
    // The stylesheet left the scratch folder; the configuration script stays.
    EXPECT_EQ(FilesIn(scratch_), (std::set<std::string>{"MyMenu1cfg.js"}));
    EXPECT_TRUE(fs::exists(data_ / "velmo.js"));
}

TEST_F(PublishProjectTest, TheOpenedProjectsImagesSurviveAPreviewAndArePublished) {
    AddItem(0, "Tool", "tool.gif");
    WriteFile(project_ / "tool.gif", "project tool");
    WriteFile(project_ / "sep.gif", "project sep");
    agent_.StageResourceFiles(Folder(project_));  // as opening the project does
    WriteFile(data_ / "tool.gif", "program tool");
    agent_.StagePreview("<HTML>");  // the program's images only fill what is missing

    fs::create_directories(project_ / "out");
    agent_.PublishProject(Folder(project_ / "out"), "menu.zarvex");
    EXPECT_EQ(ReadFile(project_ / "out" / "tool.gif"), "project tool");
    EXPECT_EQ(ReadFile(project_ / "out" / "sep.gif"), "project sep");
    EXPECT_EQ(ReadFile(project_ / "out" / "arrowr.gif"), "data arrowr.gif");
}

TEST_F(PublishProjectTest, ADuplicateImageIsPublishedOnceAndAMissingOneIsLeftOut) {
    agent_.MenuParameters.ScrollUpImage = "arrowr.gif";
    AddItem(0, "A", "nowhere.gif");
    AddItem(1, "B", "arrowr.gif");
    agent_.PublishProject(Folder(project_), "menu");

    auto expected = DefaultPublishedFiles("menu");
    expected.erase("scrollu.gif");
    EXPECT_EQ(FilesIn(project_), expected);
    const std::string report = ReadFile(project_ / "menu_PublishReport.txt");
    EXPECT_NE(report.find("\r\n  nowhere.gif\r\n"), std::string::npos);
    EXPECT_EQ(report.find("arrowr.gif"), report.rfind("arrowr.gif"));
}

TEST_F(PublishProjectTest, ImageNamesNeverReachOutsideTheProjectFolder) {
    fs::create_directories(project_ / "icons");
    fs::create_directories(project_ / "out");
    const fs::path inner = project_ / "out";
    AddItem(0, "Up", "../escape.gif");
    AddItem(0, "Sub", "icons/in.gif");
    WriteFile(project_ / "escape.gif", "original");
    WriteFile(root_ / "escape.gif", "staged");
    WriteFile(project_ / "in.gif", "in");
    agent_.StageFile((root_ / "escape.gif").string());
    agent_.StageFile((project_ / "in.gif").string());

    agent_.PublishProject(Folder(inner), "menu");
    EXPECT_EQ(ReadFile(project_ / "escape.gif"), "original");
    EXPECT_FALSE(fs::exists(inner / "escape.gif"));
    EXPECT_EQ(FilesIn(inner).count("in.gif"), 0u);
    EXPECT_EQ(ReadFile(inner / "icons" / "in.gif"), "in") << "its subfolder is made as needed";
}

TEST_F(PublishProjectTest, PublishingIntoTheProgramFolderKeepsThePublishedStylesheet) {
    AddItem(0, "Item");
    agent_.PublishProject(Folder(data_), "menu");
    EXPECT_TRUE(fs::exists(data_ / "MyMenu1.css"));
    EXPECT_TRUE(fs::exists(data_ / "menu.html"));
}

TEST_F(PublishProjectTest, ReportsProgressOfItsOwnStepAndSavesTheReplacedLinks) {
    agent_.MenuParameters.LocalRootDir = "C:\\site";
    agent_.MenuParameters.RemoteRootDir = "/site";
    AddItem(0, "Item");
    agent_.Items[0].Link = "c:\\SITE\\a.html";
    agent_.PublishProject(Folder(project_), "menu");

    const auto& ev = progress_.events;
    const std::vector<std::string> tail{"max 100", "status Copying Publishable Files ... ...",
                                        "busy 1",  "step 50",
                                        "step 50", "pos 0",
                                        "status ", "busy 0"};
    ASSERT_GE(ev.size(), tail.size());
    EXPECT_EQ(std::vector<std::string>(ev.end() - tail.size(), ev.end()), tail);
    EXPECT_NE(ReadFile(project_ / "menu.zarvex").find("/site\\a.html#$@"), std::string::npos);
}

TEST_F(PublishProjectTest, AFolderThatCannotBeWrittenRaisesBeforeAnythingIsCopied) {
    AddItem(0, "Item");
    const fs::path missing = project_ / "no" / "such";
    EXPECT_THROW(agent_.PublishProject(Folder(missing), "menu"), FileIoError);
    EXPECT_FALSE(fs::exists(project_ / "no"));
    ASSERT_FALSE(progress_.events.empty());
    EXPECT_EQ(progress_.events.back(), "busy 0");
}

// A failure at any file puts the folder back as it was: the files replaced get
// their old text again, the files added are removed, and the error names the file.
TEST_F(PublishProjectTest, AFailureAtAnyFileLeavesTheFolderAsItWas) {
    AddItem(0, "Item");
    agent_.PublishProject(Folder(project_), "menu");
    WriteFile(project_ / "keep.txt", "not ours");
    std::map<std::string, std::string> before;
    for (const std::string& name : FilesIn(project_))
        before[name] = ReadFile(project_ / name);
    fs::remove(project_ / "arrowr.gif");
    before.erase("arrowr.gif");
    agent_.Items[0].Text = "Changed";

    struct Case {
        WriteFaults faults;
        const char* named;
    };
    const std::vector<Case> cases = {
        {WriteFaults(-1, "menu.html"), "menu.html"},
        {WriteFaults(-1, "MyMenu1.css"), "MyMenu1.css"},
        {WriteFaults(-1, "menu_PublishReport.txt"), "menu_PublishReport.txt"},
        {WriteFaults(-1, "arrowr.gif"), "arrowr.gif"},  // added, then taken away again
        {WriteFaults(-1, "shadow.png"), "shadow.png"},  // the last file of all
    };
    for (Case c : cases) {
        agent_.SetWriteFaults(&c.faults);
        try {
            agent_.PublishProject(Folder(project_), "menu");
            ADD_FAILURE() << c.named << ": the publish should have failed";
        } catch (const FileIoError& e) {
            EXPECT_THAT(e.what(), ::testing::HasSubstr(c.named));
        }
        std::map<std::string, std::string> after;
        for (const std::string& name : FilesIn(project_))
            after[name] = ReadFile(project_ / name);
        EXPECT_EQ(after, before) << c.named;
    }
    // A disk that fills up while the images are copied.
    WriteFaults fullDisk(static_cast<long long>(before.at("menu.zarvex").size()) * 2 + 4096);
    agent_.SetWriteFaults(&fullDisk);
    EXPECT_THROW(agent_.PublishProject(Folder(project_), "menu"), FileIoError);
    EXPECT_EQ(FilesIn(project_).size(), before.size());
    agent_.SetWriteFaults(nullptr);
}

}  // namespace
}  // namespace zarvex::testing

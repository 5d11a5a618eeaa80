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

// The project file is exactly the one opened or chosen; the page and report take
// the name without its last extension, and only that.
TEST(PublishNamesTest, TheProjectFileIsTheNameGivenAndTheBaseDropsOnlyTheLastExtension) {
    const std::pair<const char*, std::pair<const char*, const char*>> cases[] = {
        {"menu.zarvex", {"menu.zarvex", "menu"}},
        {"Upper.ZARVEX", {"Upper.ZARVEX", "Upper"}},
        {"menu", {"menu.zarvex", "menu"}},
        {"menu.bak", {"menu.bak", "menu"}},
        {"site v1.2", {"site v1.2", "site v1"}},
        {"a.Zarvex.b.zarvex", {"a.Zarvex.b.zarvex", "a.Zarvex.b"}},
    };
    for (const auto& [given, expected] : cases) {
        EXPECT_EQ(ProjectFileName(given), expected.first) << given;
        EXPECT_EQ(PublishBaseName(given), expected.second) << given;
    }
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
    auto upper = DefaultPublishedFiles("menu");
    upper.erase("menu.zarvex");
    upper.insert("menu.ZARVEX");
    EXPECT_EQ(FilesIn(project_), upper);
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

// A design received from someone else never makes a publish read outside its
// project folder: not by a parent step, an absolute name or a link.
TEST_F(PublishProjectTest, ImageNamesNeverReachOutsideTheProjectFolder) {
    fs::create_directories(project_ / "icons");
    const fs::path out = root_ / "out";
    fs::create_directories(out);
    WriteFile(root_ / "secret", "private key");
    fs::create_symlink(root_ / "secret", project_ / "linked.gif");
    WriteFile(project_ / "icons" / "in.gif", "in");
    const std::string absolute = (root_ / "secret").string();
    AddItem(0, "Up", "../secret");
    AddItem(0, "Abs", absolute);
    AddItem(0, "Link", "linked.gif");
    AddItem(0, "Sub", "icons/in.gif");
    agent_.StageResourceFiles(Folder(project_));  // as opening the project does
    EXPECT_THAT(agent_.OutsideFiles, ::testing::ElementsAre("../secret", absolute, "linked.gif"));
    EXPECT_EQ(FilesIn(agent_.PreviewFolder()).count("secret"), 0u);

    agent_.PublishProject(Folder(out), "menu");
    EXPECT_THAT(agent_.OutsideFiles, ::testing::ElementsAre("../secret", absolute, "linked.gif"));
    EXPECT_TRUE(agent_.UncopiedFiles.empty());
    EXPECT_EQ(FilesIn(out).count("secret") + FilesIn(out).count("linked.gif"), 0u);
    EXPECT_EQ(ReadFile(out / "icons" / "in.gif"), "in") << "its subfolder is made as needed";

    fs::remove_all(out);
    fs::create_directories(out);
    try {
        agent_.PublishProject(Folder(out), "menu", true);
        ADD_FAILURE() << "a strict publish should have failed";
    } catch (const FileIoError& e) {
        EXPECT_THAT(e.what(), ::testing::HasSubstr("../secret: lies outside the project folder"));
    }
    EXPECT_TRUE(FilesIn(out).empty());
}

// Images come from the project as it is when the save runs, never from a copy
// made at open, nor from another window's staging; the project's own images are
// never copied over; a read failure is a failure with the system's reason.
TEST_F(PublishProjectTest, ImagesAreTakenFromTheProjectAtTheTimeOfTheSave) {
    UseSeparateScratchFolder();
    AddItem(0, "Logo", "logo.gif");
    WriteFile(project_ / "logo.gif", "logo as opened");
    WriteFile(project_ / "arrowr.gif", "own arrow");
    agent_.StageResourceFiles(Folder(project_));
    WriteFile(project_ / "logo.gif", "logo as edited");

    // A second window with the same program folder, its own staging, and a project
    // of its own that has another arrow and no logo; it closes first.
    const fs::path other = root_ / "other";
    fs::create_directories(other);
    WriteFile(other / "arrowr.gif", "other arrow");
    TkavoAppletAgent second;
    second.SetFolders(
        {data_.string() + "/", scratch_.string() + "/", (root_ / "b").string() + "/"});
    agent_.SetFolders(
        {data_.string() + "/", scratch_.string() + "/", (root_ / "a").string() + "/"});
    fs::create_directories(root_ / "a");
    fs::create_directories(root_ / "b");
    second.Items.push_back(agent_.Items[0]);
    second.StageResourceFiles(other.string() + "/");
    agent_.StagePreview("<HTML>");
    second.StagePreview("<HTML>");
    second.ClearPreviewFolder();

    const fs::path out = root_ / "out";
    fs::create_directories(out);
    agent_.PublishProject(Folder(out), "menu");
    EXPECT_EQ(ReadFile(out / "logo.gif"), "logo as edited");
    EXPECT_EQ(ReadFile(out / "arrowr.gif"), "own arrow");
    EXPECT_TRUE(agent_.UncopiedFiles.empty());

    // Saved into its own folder, where the staging holds another arrow by now.
    agent_.SetProjectFolder(Folder(project_));
    WriteFile(fs::path(agent_.PreviewFolder()) / "arrowr.gif", "staged arrow");
    agent_.PublishProject(Folder(project_), "menu");
    EXPECT_EQ(ReadFile(project_ / "arrowr.gif"), "own arrow");

    struct Broken {
        const char* icon;
        const char* reason;
    };
    fs::create_directories(project_ / "folder.gif");
    WriteFile(project_ / "blocked", "a file, not a folder");
    for (const Broken& b :
         {Broken{"folder.gif", "Is a directory"}, Broken{"blocked/dot.gif", "Not a directory"}}) {
        agent_.Items[0].Icon = b.icon;
        try {
            agent_.PublishProject(Folder(out), "menu");
            ADD_FAILURE() << b.icon << ": the publish should have failed";
        } catch (const FileIoError& e) {
            EXPECT_THAT(e.what(), ::testing::HasSubstr(std::string(b.icon) + ": " + b.reason));
        }
    }
    agent_.Items[0].Icon = "nowhere.gif";
    EXPECT_THROW(
        try { agent_.PublishProject(Folder(out), "menu", true); } catch (const FileIoError& e) {
            EXPECT_THAT(e.what(), ::testing::HasSubstr("nowhere.gif: not found"));
            throw;
        },
        FileIoError);
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
    // Saved as into this folder from elsewhere: its images are copied over too.
    agent_.SetProjectFolder({});
    // A page with a second name is rewritten in place.
    fs::create_hard_link(project_ / "menu.html", root_ / "menu-link.html");

    struct Case {
        WriteFaults faults;
        const char* named;
    };
    const std::vector<Case> cases = {
        {WriteFaults(-1, "menu.zarvex"), "menu.zarvex"},  // the first file of all
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

    // A disk that fills up part-way through the page written in place, where the
    // file system cannot reserve space ahead: the page gets its old text back.
    // The bytes of a whole publish, measured in a folder where nothing is in place.
    WriteFaults unlimited(1LL << 40);
    fs::create_directories(root_ / "measure");
    agent_.SetWriteFaults(&unlimited);
    agent_.SetProjectFolder({});
    agent_.PublishProject(Folder(root_ / "measure"), "menu");
    const long long used = (1LL << 40) - unlimited.bytesLeft;
    const auto page = static_cast<long long>(ReadFile(root_ / "measure" / "menu.html").size());
    WriteFaults midPage(used + page / 2);
    midPage.noReservation = true;
    agent_.SetWriteFaults(&midPage);
    agent_.SetProjectFolder({});
    try {
        agent_.PublishProject(Folder(project_), "menu");
        ADD_FAILURE() << "the in-place page should have failed";
    } catch (const FileIoError& e) {
        EXPECT_THAT(e.what(), ::testing::HasSubstr("menu.html: No space left on device; the file "
                                                   "was left as it was"));
    }
    std::map<std::string, std::string> after;
    for (const std::string& name : FilesIn(project_))
        after[name] = ReadFile(project_ / name);
    EXPECT_EQ(after, before);
    agent_.SetWriteFaults(nullptr);
}

}  // namespace
}  // namespace zarvex::testing

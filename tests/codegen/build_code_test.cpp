// BuildCode as an operation: what it leaves in the model, what it refuses, and
// that a refused or failed build keeps the previous files.
#include <gtest/gtest.h>

#include <filesystem>

#include "codegen/built_menu.h"
#include "codegen/prepare_items.h"
#include "codegen_test_helpers.h"
#include "model/errors.h"
#include "model/file_helpers.h"
#include "model/safe_file.h"

namespace zarvex {
namespace {

namespace fs = std::filesystem;
using testing::BuildFixture;
using testing::FilesIn;
using testing::ScratchFolder;

constexpr const char* kBuildStatus = "Making HTML Codes ... ...";

class BuildCodeTest : public ::testing::Test {
  protected:
    // The worked example's shape: Home; Products > (Tools > Hammer), separator, Parts; Contact.
    void AddWorkedExample() {
        fx.Add(0, "Home", "index.html");
        const int products = fx.Add(0, "Products");
        const int tools = fx.Add(products, "Tools");
        fx.Add(tools, "Hammer", "h.html");
        fx.Add(products, "Separator");
        fx.Add(products, "Parts");
        fx.Add(0, "Contact", "contact.html");
    }
    std::string Stylesheet() const { return ReadWholeFile(fx.programFolder + "MyMenu1.css"); }
    std::map<std::string, std::string> AllFiles() const {
        auto files = FilesIn(fx.programFolder);
        for (const auto& [name, bytes] : FilesIn(scratch.path()))
            files["page/" + name] = bytes;
        return files;
    }
    void ExpectProgressReset() const { EXPECT_TRUE(fx.progress.EndsReset()); }
    // The first status text the build showed.
    std::string FirstStatus() const {
        for (const std::string& event : fx.progress.events)
            if (event.starts_with("status "))
                return event.substr(7);
        return "(none)";
    }

    ScratchFolder scratch{"build"};
    BuildFixture fx{scratch};
    std::string page = scratch.File("page.html");
};

TEST_F(BuildCodeTest, DerivesLevelsParentsAndNamesIntoTheModel) {
    AddWorkedExample();
    fx.agent.BuildCode(page);

    const std::vector<std::string> levels = {"0", "0", "1", "2", "1", "1", "0"};
    const std::vector<std::string> parents = {"-1", "-1", "1", "2", "1", "1", "-1"};
    ASSERT_EQ(fx.agent.Items.size(), levels.size());
    for (std::size_t k = 0; k < levels.size(); ++k) {
        EXPECT_EQ(fx.agent.Items[k].Level, levels[k]) << "item " << k;
        EXPECT_EQ(fx.agent.Items[k].ParentIndex, parents[k]) << "item " << k;
    }
    EXPECT_EQ(fx.agent.MenuParameters.ListId, "MyMenu1_ul");
    EXPECT_EQ(fx.agent.LinkedFiles[1].FileName, "MyMenu1cfg.js");
    EXPECT_EQ(fx.agent.LinkedFiles[2].FileName, "MyMenu1.css");
    EXPECT_EQ(fx.agent.LinkedFiles[0].FileName, "velmo.js");

    // The status text was shown for the build and everything is reset afterwards.
    EXPECT_EQ(FirstStatus(), kBuildStatus);
    ExpectProgressReset();

    // A second build with the same values gives the same bytes.
    const auto first = AllFiles();
    fx.agent.BuildCode(page);
    EXPECT_EQ(AllFiles(), first);
}

TEST_F(BuildCodeTest, StylesheetIgnoresLayoutBehaviourItemsAndImageNames) {
    AddWorkedExample();
    fx.agent.BuildCode(page);
    const std::string original = Stylesheet();
    const std::string originalScript = ReadWholeFile(fx.programFolder + "MyMenu1cfg.js");

    TAppletData& m = fx.agent.MenuParameters;
    m.Orientation = "1";
    m.ShowTooltips = "0";
    m.ShowShadow = "0";
    m.ClickToOpen = "1";
    m.DelayClose = "900";
    m.BlinkTimes = "4";
    for (auto f = static_cast<std::size_t>(AppletField::ArrowImage);
         f <= static_cast<std::size_t>(AppletField::ScrollDownImagePressed); ++f)
        m.*kAppletFields[f].member = "other" + std::to_string(f) + ".png";
    fx.agent.Items[0].Icon = "home.gif";
    fx.agent.Items[0].Link = "elsewhere.html";
    fx.Add(0, "One more");
    fx.agent.BuildCode(page);

    EXPECT_EQ(Stylesheet(), original);
    // The same edits do reach the script, so the stylesheet was really rewritten.
    EXPECT_NE(ReadWholeFile(fx.programFolder + "MyMenu1cfg.js"), originalScript);
}

TEST_F(BuildCodeTest, RootReplacementConvertsLinksBackAndForth) {
    fx.Add(0, "A", "c:\\SITE\\a.html");
    fx.Add(0, "B", "http://elsewhere.example/site");
    TAppletData& m = fx.agent.MenuParameters;
    m.LocalRootDir = "C:\\site";
    m.RemoteRootDir = "/site";
    m.UseLocalPaths = "0";
    fx.agent.BuildCode(page);
    EXPECT_EQ(fx.agent.Items[0].Link, "/site\\a.html");
    // Every occurrence is replaced, wherever it stands.
    EXPECT_EQ(fx.agent.Items[1].Link, "http://elsewhere.example/site");

    m.UseLocalPaths = "1";
    fx.agent.BuildCode(page);
    EXPECT_EQ(fx.agent.Items[0].Link, "C:\\site\\a.html");
    EXPECT_EQ(fx.agent.Items[1].Link, "http://elsewhere.exampleC:\\site");

    m.LocalRootDir = " \t ";
    fx.agent.Items[0].Link = "/site/x.html";
    fx.agent.BuildCode(page);
    EXPECT_EQ(fx.agent.Items[0].Link, "/site/x.html");
}

TEST_F(BuildCodeTest, RebuildingNeverNestsARootInsideTheOther) {
    // The web root contains the local root: a plain replace-all would grow the
    // link on every build.
    fx.Add(0, "A", "site/a.html");
    fx.Add(0, "B", "http://www.mysite.org/b.html");
    TAppletData& m = fx.agent.MenuParameters;
    m.LocalRootDir = "site";
    m.RemoteRootDir = "http://www.mysite.org";
    for (int build = 0; build < 3; ++build) {
        fx.agent.BuildCode(page);
        EXPECT_EQ(fx.agent.Items[0].Link, "http://www.mysite.org/a.html") << "build " << build;
        EXPECT_EQ(fx.agent.Items[1].Link, "http://www.mysite.org/b.html") << "build " << build;
    }
    m.UseLocalPaths = "1";
    fx.agent.BuildCode(page);
    EXPECT_EQ(fx.agent.Items[0].Link, "site/a.html");
    EXPECT_EQ(fx.agent.Items[1].Link, "site/b.html");

    EXPECT_EQ(RewriteLinkRoot("X/SITE/Site", "site", "MySite"), "X/MySite/MySite");
    EXPECT_EQ(RewriteLinkRoot("a/MYSITE/site", "site", "mysite"), "a/MYSITE/mysite");
    // Roots match whole path components only.
    EXPECT_EQ(RewriteLinkRoot("C:\\site\\wwwroot\\x.html", "C:\\site", "C:\\site\\www"),
              "C:\\site\\www\\wwwroot\\x.html");
    EXPECT_EQ(RewriteLinkRoot("C:\\site\\www\\x.html", "C:\\site", "C:\\site\\www"),
              "C:\\site\\www\\x.html");
    EXPECT_EQ(RewriteLinkRoot("C:\\siteB\\x.html", "C:\\site", "/site"), "C:\\siteB\\x.html");
    EXPECT_EQ(RewriteLinkRoot("c:\\SITE\\a.html", "C:\\site", "/site"), "/site\\a.html");
    EXPECT_EQ(RewriteLinkRoot("/site\\a.html", "/site", "C:\\site"), "C:\\site\\a.html");
    EXPECT_EQ(RewriteLinkRoot("http://h/", "http://h/", "/w"), "/w");
}

struct BadValue {
    AppletField field;
    const char* text;
};

class RefusedField : public BuildCodeTest, public ::testing::WithParamInterface<BadValue> {};

TEST_P(RefusedField, LeavesFilesAndModelAsTheyWere) {
    AddWorkedExample();
    fx.agent.BuildCode(page);
    const auto before = AllFiles();

    TAppletData& m = fx.agent.MenuParameters;
    m.LocalRootDir = "index";
    m.RemoteRootDir = "start";
    m.MenuName = "MyMenu1";
    m.BackgroundColor = "123456";  // would change the stylesheet
    Field(m, GetParam().field) = GetParam().text;
    const TItemArray items = fx.agent.Items;
    fx.progress.events.clear();

    try {
        fx.agent.BuildCode(page);
        FAIL() << "the build should have been refused";
    } catch (const BuildError& e) {
        EXPECT_EQ(
            std::string(e.what()).rfind(
                "Cannot build the menu: " +
                    std::string(kAppletFields[static_cast<std::size_t>(GetParam().field)].name) +
                    ": '" + GetParam().text + "' ",
                0),
            0u)
            << e.what();
    }
    EXPECT_EQ(AllFiles(), before);
    EXPECT_EQ(fx.agent.Items, items);  // no link was rewritten
    ExpectProgressReset();
}

INSTANTIATE_TEST_SUITE_P(UnbuildableFields, RefusedField,
                         ::testing::Values(BadValue{AppletField::DelayClose, "100);alert(1);(0"},
                                           BadValue{AppletField::MenuName, "class"},
                                           BadValue{AppletField::MenuName, "My Menu"},
                                           BadValue{AppletField::FontFamily, "x}a{b:c"},
                                           BadValue{AppletField::BorderStyle, "solid"},
                                           BadValue{AppletField::BorderStyle, ""},
                                           BadValue{AppletField::Cursor, "2.0"},
                                           BadValue{AppletField::ZIndex, " 1000"},
                                           BadValue{AppletField::ZIndex, "99999999999"}));

TEST_F(BuildCodeTest, AnUnwritableTargetKeepsEveryEarlierFile) {
    AddWorkedExample();
    fx.agent.BuildCode(page);
    const auto before = AllFiles();
    fx.agent.MenuParameters.BackgroundColor = "123456";
    fx.agent.Items[0].Text = "Changed";

    // The page cannot be created: a folder in its path is a plain file.
    WriteFileSafely(scratch.File("plain"), "x");
    EXPECT_THROW(fx.agent.BuildCode(scratch.File("plain/page.html")), FileIoError);
    ExpectProgressReset();
    EXPECT_EQ(AllFiles(), [&] {
        auto files = before;
        files["page/plain"] = "x";
        return files;
    }());

    // The program folder cannot take files.
    fx.agent.SetFolders({fx.programFolder, scratch.File("plain/")});
    EXPECT_THROW(fx.agent.BuildCode(page), FileIoError);
    ExpectProgressReset();
    fx.agent.SetFolders({fx.programFolder, fx.programFolder});

    // The page's path is a folder.
    EXPECT_THROW(fx.agent.BuildCode(scratch.path().string()), FileIoError);
    ExpectProgressReset();

    // The disk fills up half-way through the page.
    WriteFaults fullDisk{static_cast<long long>(before.at("MyMenu1.css").size() +
                                                before.at("MyMenu1cfg.js").size() + 40)};
    fx.agent.SetWriteFaults(&fullDisk);
    EXPECT_THROW(fx.agent.BuildCode(page), FileIoError);
    ExpectProgressReset();

    // The page cannot be put in place after the other two were.
    WriteFaults refused{-1, "page.html"};
    fx.agent.SetWriteFaults(&refused);
    EXPECT_THROW(fx.agent.BuildCode(page), FileIoError);
    fx.agent.SetWriteFaults(nullptr);
    ExpectProgressReset();
    auto expected = before;
    expected["page/plain"] = "x";
    EXPECT_EQ(AllFiles(), expected);  // and no temporary file is left behind
}

TEST_F(BuildCodeTest, ATreeThatDisagreesWithTheItemsIsRefusedBeforeAnythingHappens) {
    AddWorkedExample();
    fx.agent.Items.pop_back();
    try {
        fx.agent.BuildCode(page);
        FAIL() << "the build should have been refused";
    } catch (const BuildError& e) {
        EXPECT_NE(std::string(e.what()).find("7 items"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("holds 6"), std::string::npos) << e.what();
    }
    fx.agent.AttachTree(nullptr);
    EXPECT_THROW(fx.agent.BuildCode(page), BuildError);

    EXPECT_TRUE(AllFiles().empty());
    EXPECT_TRUE(fx.progress.events.empty());
    EXPECT_EQ(fx.agent.MenuParameters.ListId, "");
    EXPECT_EQ(fx.agent.Items[0].Level, "");
}

TEST_F(BuildCodeTest, AMenuNameThatLeavesTheProgramFolderIsRefused) {
    fx.Add(0, "Item");
    for (const char* name : {"../escape", "sub/menu", "back\\slash"}) {
        fx.agent.MenuParameters.MenuName = name;
        EXPECT_THROW(fx.agent.BuildCode(page), BuildError) << name;
    }
    EXPECT_TRUE(AllFiles().empty());
    EXPECT_FALSE(fs::exists(scratch.path() / "escape.css"));
}

TEST_F(BuildCodeTest, CollectsImagesInOrderKeepingDuplicatesAndSkippingBlanks) {
    fx.Add(0, "A");
    fx.Add(0, "B");
    fx.Add(0, "C");
    fx.agent.Items[0].Icon = " a.gif ";
    fx.agent.Items[1].Icon = " \t";
    fx.agent.Items[2].Icon = "sep.gif";
    TAppletData& m = fx.agent.MenuParameters;
    m.ArrowImageHover = "arrowr.gif";
    m.ScrollUpImagePressed = "  ";
    fx.agent.ResourceFiles = {"stale.gif"};

    fx.agent.CollectResourceFiles();
    EXPECT_EQ(fx.agent.ResourceFiles,
              (std::vector<std::string>{"arrowr.gif", "arrowr.gif", "sep.gif", "scrollu.gif",
                                        "scrolluh.gif", "scrolld.gif", "scrolldh.gif",
                                        "scrolldd.gif", "shadow.png", " a.gif ", "sep.gif"}));
}

// The preview's build in memory gives the bytes that BuildCode writes, and touches
// neither the design nor any folder.
TEST_F(BuildCodeTest, TheInMemoryBuildGivesBuildCodesFilesAndLeavesTheAgentAlone) {
    AddWorkedExample();
    fx.agent.MenuParameters.MenuName = "Nav";
    fx.agent.MenuParameters.LocalRootDir = "file:///C|/site/";
    fx.agent.MenuParameters.RemoteRootDir = "http://example.com/";
    fx.agent.Items[0].Link = "file:///C|/site/index.html";
    fx.agent.Items[0].Icon = "home.gif";
    const TAppletData menu = fx.agent.MenuParameters;
    const TItemArray items = fx.agent.Items;
    const TLinkedFileInfoArray linked = fx.agent.LinkedFiles;

    const BuiltMenu built = BuildMenuInMemory(fx.agent);
    EXPECT_EQ(fx.agent.MenuParameters, menu);
    EXPECT_EQ(fx.agent.Items, items);
    EXPECT_EQ(fx.agent.LinkedFiles, linked);
    EXPECT_TRUE(AllFiles().empty());

    fx.agent.BuildCode(page);
    EXPECT_EQ(built.stylesheetName, "Nav.css");
    EXPECT_EQ(built.scriptName, "Navcfg.js");
    EXPECT_EQ(built.stylesheet, ReadWholeFile(fx.programFolder + "Nav.css"));
    EXPECT_EQ(built.script, ReadWholeFile(fx.programFolder + "Navcfg.js"));
    EXPECT_EQ(built.snippet, ReadWholeFile(page));
    EXPECT_EQ(built.linkedFiles, std::vector<std::string>{"velmo.js"});
    // The page's list id as the build gave it: the agent's record learns it only now.
    EXPECT_EQ(built.listId, "Nav_ul");
    EXPECT_EQ(fx.agent.MenuParameters.ListId, built.listId);
    EXPECT_EQ(built.menuName, "Nav");
    fx.agent.CollectResourceFiles();
    EXPECT_EQ(built.resources, fx.agent.ResourceFiles);

    // What BuildCode refuses, the preview refuses too.
    fx.agent.MenuParameters.Cursor = "pointer";
    EXPECT_THROW(BuildMenuInMemory(fx.agent), BuildError);
}

}  // namespace
}  // namespace zarvex

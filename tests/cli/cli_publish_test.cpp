#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/cli_runner.h"
#include "support/files.h"
#include "support/scratch_folder.h"

namespace zarvex::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

const fs::path kDesigns = fs::path(ZARVEX_TEST_DATA_DIR) / "designs";
const fs::path kApp = ZARVEX_APP_DIR;
const std::vector<std::string> kDefaultImages{
    "arrowr.gif",   "arrowrh.gif", "sep.gif",      "scrollu.gif",  "scrolluh.gif",
    "scrollud.gif", "scrolld.gif", "scrolldh.gif", "scrolldd.gif", "shadow.png"};

class CliPublishTest : public ::testing::Test {
  protected:
    void SetUp() override { dir_ = FreshFolder("cli-publish"); }
    void TearDown() override { fs::remove_all(dir_); }

    // The design folder copied into the test's own folder, so a publish beside it
    // never touches the repository.
    fs::path CopyDesign(const std::string& design) {
        const fs::path to = dir_ / design;
        fs::copy(kDesigns / design, to, fs::copy_options::recursive);
        return to;
    }

    static std::vector<std::string> Sorted(std::vector<std::string> v) {
        std::sort(v.begin(), v.end());
        return v;
    }

    fs::path dir_;
};

TEST_F(CliPublishTest, AThreeLevelDesignWithIconsPublishesItsWholeFileSet) {
    const fs::path project = kDesigns / "three_levels" / "shop.zarvex";
    const fs::path out = dir_ / "site" / "menu";  // created, parents included
    const CliResult r = RunCli({"publish", project.string(), "--to", out.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "");

    std::vector<std::string> expected = kDefaultImages;
    expected.insert(expected.end(),
                    {"shop.html", "shop.zarvex", "shop_PublishReport.txt", "velmo.js",
                     "ShopMenucfg.js", "ShopMenu.css", "home.gif", "tool.gif", "hammer.gif"});
    EXPECT_EQ(Snapshot(out).size(), expected.size()) << "no folder or hidden file is left";
    EXPECT_EQ(FileNames(out), Sorted(expected));

    for (const char* icon : {"home.gif", "tool.gif", "hammer.gif"})
        EXPECT_EQ(ReadBytes(out / icon), ReadBytes(project.parent_path() / icon)) << icon;
    for (const std::string& image : kDefaultImages)
        EXPECT_EQ(ReadBytes(out / image), ReadBytes(kApp / image)) << image;
    EXPECT_EQ(ReadBytes(out / "velmo.js"), ReadBytes(kApp / "velmo.js"));

    // The page and the report are what the html and report commands give.
    const CliResult html = RunCli({"html", project.string()});
    const CliResult report = RunCli({"report", project.string()});
    ASSERT_EQ(html.status, 0) << html.err;
    ASSERT_EQ(report.status, 0) << report.err;
    EXPECT_EQ(ReadBytes(out / "shop.html"), html.out);
    EXPECT_EQ(ReadBytes(out / "shop_PublishReport.txt"), report.out);
    EXPECT_THAT(html.out, HasSubstr("<LINK href=\"./ShopMenu.css\""));
    EXPECT_THAT(report.out, HasSubstr("\r\n  hammer.gif\r\n"));

    // The published project opens again and builds the same page.
    const CliResult again = RunCli({"html", (out / "shop.zarvex").string()});
    EXPECT_EQ(again.out, html.out);
}

TEST_F(CliPublishTest, PublishesBesideTheProjectUnderItsOwnOrAChosenName) {
    const fs::path folder = CopyDesign("three_levels");
    ASSERT_EQ(RunCli({"publish", (folder / "shop.zarvex").string()}).status, 0);
    EXPECT_TRUE(fs::exists(folder / "shop.html"));
    EXPECT_TRUE(fs::exists(folder / "shop_PublishReport.txt"));

    const auto before = Snapshot(folder);
    const CliResult r =
        RunCli({"publish", (folder / "shop.zarvex").string(), "--name", "Top.ZARVEX"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto after = Snapshot(folder);
    EXPECT_EQ(after.size(), before.size() + 3);
    EXPECT_EQ(after.at("Top.zarvex"), before.at("shop.zarvex"));
    EXPECT_EQ(after.at("Top.html"), before.at("shop.html"));
    EXPECT_TRUE(after.count("Top_PublishReport.txt"));
}

TEST_F(CliPublishTest, IconsArePublishedOnceIntoTheirSubfolderNeverFromOutsideMissingOnesWarn) {
    const fs::path design = kDesigns / "shared_and_missing_icons";
    const fs::path out = dir_ / "out";
    const std::string project = (design / "icons.zarvex").string();
    const CliResult strict = RunCli({"publish", project, "--to", out.string(), "--strict"});
    EXPECT_EQ(strict.status, 1);
    EXPECT_THAT(strict.err, HasSubstr("nowhere.gif: not found"));
    EXPECT_FALSE(fs::exists(out));

    const CliResult r = RunCli({"publish", project, "--to", out.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.err, HasSubstr("warning: nowhere.gif not found\n"));
    EXPECT_THAT(r.err, HasSubstr("zarvex-cli: publish: '../three_levels/home.gif' lies outside the "
                                 "project folder and was not copied\n"));
    const auto files = FileNames(out);
    EXPECT_EQ(std::count(files.begin(), files.end(), "star.gif"), 1);
    EXPECT_EQ(std::count(files.begin(), files.end(), "nowhere.gif"), 0);
    EXPECT_EQ(std::count(files.begin(), files.end(), "scrollu.gif"), 0);
    EXPECT_EQ(ReadBytes(out / "img" / "dot.gif"), ReadBytes(design / "img" / "dot.gif"));
    EXPECT_FALSE(fs::exists(dir_ / "three_levels"));
    EXPECT_FALSE(fs::exists(out / "home.gif"));
    const std::string report = ReadBytes(out / "icons_PublishReport.txt");
    EXPECT_THAT(report, HasSubstr("  star.gif\r\n  nowhere.gif\r\n  img/dot.gif\r\n"
                                  "  ../three_levels/home.gif\r\n\r\n\r\n"));
}

TEST_F(CliPublishTest, ADesignWithoutItemsIsRefusedByPublishAsByHtml) {
    const fs::path project = kDesigns / "no_items" / "empty_menu.zarvex";
    const std::string refusal = "zarvex-cli: " + project.string() +
                                ": No item to build. Please add item to left pane and try again.\n";
    const CliResult html = RunCli({"html", project.string()});
    EXPECT_EQ(html.status, 1);
    EXPECT_EQ(html.out, "");
    EXPECT_EQ(html.err, refusal);

    const CliResult pub = RunCli({"publish", project.string(), "--to", (dir_ / "out").string()});
    EXPECT_EQ(pub.status, 1);
    EXPECT_EQ(pub.err, refusal);
    EXPECT_FALSE(fs::exists(dir_ / "out"));
}

TEST_F(CliPublishTest, LeavesTheProgramFolderAsItWas) {
    const auto before = Snapshot(kApp);
    ASSERT_EQ(RunCli({"publish", (kDesigns / "three_levels" / "shop.zarvex").string(), "--to",
                      (dir_ / "out").string()})
                  .status,
              0);
    ASSERT_EQ(RunCli({"report", (kDesigns / "three_levels" / "shop.zarvex").string()}).status, 0);
    EXPECT_EQ(Snapshot(kApp), before);
}

TEST_F(CliPublishTest, AFailedBuildLeavesAnEarlierPublishUntouched) {
    const fs::path out = dir_ / "out";
    ASSERT_EQ(RunCli({"publish", (kDesigns / "three_levels" / "shop.zarvex").string(), "--to",
                      out.string(), "--name", "bad"})
                  .status,
              0);
    const auto before = Snapshot(out);
    const fs::path broken =
        fs::path(ZARVEX_TEST_DATA_DIR) / "cli" / "broken" / "bad_border_style.zarvex";
    const CliResult r = RunCli({"publish", broken.string(), "--to", out.string(), "--name", "bad"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "zarvex-cli: " + broken.string() +
                         ":12: BorderStyle: 'solid' is not the number of a list entry (-1 to 9)\n");
    EXPECT_EQ(Snapshot(out), before);
}

TEST_F(CliPublishTest, ATargetThatCannotBeCreatedIsNamed) {
    WriteBytes(dir_ / "file.txt", "x");
    const fs::path target = dir_ / "file.txt" / "sub";
    const CliResult r = RunCli(
        {"publish", (kDesigns / "three_levels" / "shop.zarvex").string(), "--to", target.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, StartsWith("zarvex-cli: " + target.string() + ": "));
    EXPECT_EQ(Snapshot(dir_).size(), 1u);
}

}  // namespace
}  // namespace zarvex::testing
